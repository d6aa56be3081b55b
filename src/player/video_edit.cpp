#include "player/video_edit.h"

#include <cmath>
#include <cstring>

#include "engine/work_files.h"
#include "player/codec_choice.h"
#include "player/encoder_commands.h"
#include "player/encoder_report.h"
#include "player/playback.h"

namespace {

const char kClassName[] = "ClipvaneVideoEdit";

// Internal messages from the worker threads to the player's own window; the
// window lives until those threads have been joined.
constexpr UINT WM_PICTURES_NEWS = WM_APP + 0x0B50;  // wParam serial
constexpr UINT WM_EXPORT_PROGRESS = WM_APP + 0x0B51;
constexpr UINT WM_EXPORT_ENDED = WM_APP + 0x0B52;
constexpr UINT WM_SOURCE_PROBED = WM_APP + 0x0B53;  // wParam the probe's ticket

// Each tick sets the next for when the next frame is due.
constexpr UINT_PTR kPlaybackTimer = 1;
// One shot each: the first frame is late, the export has stalled.
constexpr UINT_PTR kFirstFrameTimer = 2;
constexpr UINT_PTR kExportStallTimer = 3;
constexpr UINT kFirstTickMs = 10;

// Listing the encoders is one short run of the encoder.
constexpr DWORD kListTimeoutMs = 10000;

bool SaneRange(double start, double end) {
    return std::isfinite(start) && std::isfinite(end) && start >= 0.0 && end > start;
}

}  // namespace

std::string CVideoEdit::CCodecList::Item(short index) const {
    return index >= 0 && index < Count() ? codecs_[static_cast<std::size_t>(index)].name : std::string();
}

std::string CVideoEdit::CCodecList::Encoder(short index) const {
    return index >= 0 && index < Count() ? codecs_[static_cast<std::size_t>(index)].encoder : std::string();
}

CVideoEdit::CVideoEdit(std::string encoder, std::function<void(const std::string&)> deleteFile, PlayerLimits limits)
    : encoder_(std::move(encoder)), deleteFile_(std::move(deleteFile)), limits_(limits), probes_(encoder_) {}

CVideoEdit::~CVideoEdit() {
    // Destroyed here rather than by the base, so that WM_DESTROY still reaches
    // this class and ends every run (deleting an abandoned export's file).
    if (Handle()) DestroyWindow(Handle());
}

bool CVideoEdit::Create(HWND parent, const RECT& rect, UINT id) {
    RegisterWindowClass(kClassName, 0, LoadCursor(nullptr, IDC_ARROW), nullptr);
    if (!CWindow::Create(kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, 0, rect, parent, id)) return false;
    probes_.SetWindow(Handle(), WM_SOURCE_PROBED);
    return true;
}

double CVideoEdit::GetDuration(const std::string& path) {
    if (path.empty()) return 0.0;
    return ProbeMedia(encoder_, path).info.duration;
}

bool CVideoEdit::OpenRange(const std::string& path, double start, double end, short mode) {
    mode_ = mode;
    return SetSelection(path, start, end);
}

bool CVideoEdit::SetSelection(const std::string& path, double start, double end) {
    path_ = path;
    start_ = std::isfinite(start) && start > 0.0 ? start : 0.0;
    end_ = std::isfinite(end) ? end : 0.0;
    return !path_.empty();
}

bool CVideoEdit::Run() {
    if (Playing()) return false;
    if (path_.empty() || Exporting()) {
        Notify(WM_PLAYER_PLAYCOMPLETE, 0, 0);
        return false;
    }
    framesShown_ = framesDropped_ = 0;
    clockFollowedSound_ = false;
    SetTimer(Handle(), kFirstFrameTimer, limits_.firstFrameMs, nullptr);
    StartWhenRead(Waiting::Run);
    return true;
}

void CVideoEdit::StartPlayback(const MediaInfo& info) {
    const bool still = mode_ == 0;
    RECT client = {};
    GetClientRect(Handle(), &client);
    const PictureRect fit = FitPicture(client.right, client.bottom, info.displayAspect);
    const double start = still && start_ > info.duration ? 0.0 : start_;
    const double length = still ? 0.0 : end_ - start_;
    if ((!info.hasVideo && !info.hasAudio) || (!still && length <= 0.0)) {
        KillTimer(Handle(), kFirstFrameTimer);
        Notify(WM_PLAYER_PLAYCOMPLETE, 0, 0);
        return;
    }
    ++serial_;
    playback_ = std::make_unique<CPlayback>(info, fit, CPlayback::Range{path_, start, length, still},
                                            CPictureReader::Wake{Handle(), WM_PICTURES_NEWS, serial_});
    playback_->Start(encoder_);
    SetTimer(Handle(), kPlaybackTimer, kFirstTickMs, nullptr);
}

void CVideoEdit::Stop() {
    if (Playing()) EndPlayback();
    if (waiting_ == Waiting::Export) EndExport(ExportResult::Stopped);
    if (export_) export_->Stop();
}

void CVideoEdit::Close() {
    if (Playing()) EndPlayback();
    if (Exporting()) EndExport(ExportResult::Stopped);
    path_.clear();
    start_ = end_ = 0.0;
    mode_ = 0;
}

void CVideoEdit::Reset() {
    Close();
    videoCodecIndex_ = audioCodecIndex_ = 0;
    useVideoCodec_ = useAudioCodec_ = false;
    outputWidth_ = 320;
    outputHeight_ = 240;
    outputBitCount_ = 24;
    outputFormat_ = kOutputFormatMpeg;
    outputFrameRate_ = 25.0f;
}

const std::vector<CatalogCodec>& CVideoEdit::Encoders(bool video) {
    // The build's encoders do not change while the program runs: asked once.
    static std::vector<CatalogCodec> videoCodecs, audioCodecs;
    static bool listed = false;
    if (!listed) {
        const std::set<std::string> encoders =
            ParseEncoderList(RunForReport(EncoderListCommand(encoder_), false, kListTimeoutMs).text);
        videoCodecs = VideoCatalog(encoders);
        audioCodecs = AudioCatalog(encoders);
        listed = !encoders.empty();
    }
    return video ? videoCodecs : audioCodecs;
}

CVideoEdit::CCodecList CVideoEdit::VideoCodecs() { return CCodecList(Encoders(true)); }
CVideoEdit::CCodecList CVideoEdit::AudioCodecs() { return CCodecList(Encoders(false)); }

bool CVideoEdit::ExportTo(const std::string& path) {
    if (Exporting() || Playing() || path_.empty() || path.empty() || !SaneRange(start_, end_)) return false;
    ExportSettings settings;
    settings.format = outputFormat_;
    settings.width = outputWidth_;
    settings.height = outputHeight_;
    settings.frameRate = outputFrameRate_;
    if (settings.width < 16 || settings.height < 16 || settings.width > 4096 || settings.height > 4096 ||
        settings.width % 2 != 0 || settings.height % 2 != 0 ||
        !(settings.frameRate >= 1.0 && settings.frameRate <= 120.0)) {
        return false;
    }
    if (settings.format == kOutputFormatAvi) {
        const CCodecList video = VideoCodecs();
        const CCodecList audio = AudioCodecs();
        settings.videoEncoder = video.Encoder(useVideoCodec_ ? videoCodecIndex_ : 0);
        settings.audioEncoder = audio.Encoder(useAudioCodec_ ? audioCodecIndex_ : 0);
        if (settings.videoEncoder.empty() || settings.audioEncoder.empty()) return false;
    } else if (settings.format != kOutputFormatMpeg) {
        return false;
    }
    // The name is made the export's own before anything is written: a file
    // that is there already, or appears while the source is read, is never
    // written over, and every deletion of the export's file deletes its own.
    if (!ReserveNewFile(path)) return false;
    exportSettings_ = settings;
    exportPath_ = path;
    exportTotal_ = end_ - start_;
    SetTimer(Handle(), kExportStallTimer, limits_.exportStallMs, nullptr);
    StartWhenRead(Waiting::Export);
    return true;
}

void CVideoEdit::StartExport(const MediaInfo& info) {
    if (!info.hasVideo && !info.hasAudio) {
        KillTimer(Handle(), kExportStallTimer);
        Notify(WM_PLAYER_EXPORTFINISHED, static_cast<WPARAM>(ExportResult::Failed), 0);
        return;
    }
    exportSettings_.picture = FitPicture(exportSettings_.width, exportSettings_.height, info.displayAspect);
    ++serial_;
    export_ = std::make_unique<CExportRun>(
        exportPath_, exportTotal_, CExportRun::Messages{Handle(), WM_EXPORT_PROGRESS, WM_EXPORT_ENDED, serial_});
    export_->Start(ExportCommand(encoder_, path_, start_, exportTotal_, exportPath_, exportSettings_));
}

LRESULT CVideoEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            Draw(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wParam == kPlaybackTimer) {
                OnTimer();
            } else {
                OnTimeLimit(wParam);
            }
            return 0;
        case WM_SHOWWINDOW:
            OnShowWindow(wParam != FALSE);
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_PICTURES_NEWS:
            OnPicturesNews(wParam);
            return 0;
        case WM_EXPORT_PROGRESS:
            OnExportProgress(wParam, lParam);
            return 0;
        case WM_EXPORT_ENDED:
            OnExportEnded(wParam, lParam);
            return 0;
        case WM_SOURCE_PROBED:
            OnProbed(wParam);
            return 0;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CVideoEdit::OnPaint() {
    CPaintDC paint(Handle());
    Draw(paint.Get());
}

// The whole client area in one copy: black, with the frame in its place.
void CVideoEdit::Draw(HDC target) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    CBufferDC buffer(target, client.right, client.bottom);
    if (!buffer) return;
    FillRect(buffer.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (frame_) {
        CMemoryDC source(buffer.Get());
        CSelection selected(source.Get(), frame_.Get());
        BitBlt(buffer.Get(), frameRect_.x, frameRect_.y, frameRect_.width, frameRect_.height, source.Get(), 0, 0,
               SRCCOPY);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

void CVideoEdit::OnTimer() {
    if (!playback_) return;
    bool ended = false;
    UINT nextTickMs = 0;
    const std::optional<Frame> frame = playback_->Tick(GetTickCount(), ended, nextTickMs);
    if (playback_->Started()) KillTimer(Handle(), kFirstFrameTimer);
    if (frame) ShowFrame(frame->pixels, playback_->Fit());
    if (ended) {
        EndPlayback();
    } else {
        SetTimer(Handle(), kPlaybackTimer, nextTickMs, nullptr);
    }
}

void CVideoEdit::OnPicturesNews(WPARAM serial) {
    if (serial == serial_) OnTimer();
}

void CVideoEdit::OnShowWindow(bool shown) {
    // A hidden player shows nothing of the file it showed when it comes back.
    if (!shown) {
        frame_.Reset();
        frameBits_ = nullptr;
    }
}

void CVideoEdit::OnDestroy() {
    if (Playing()) EndPlayback();
    if (Exporting()) EndExport(ExportResult::Stopped);
    probes_.Stop();
}

void CVideoEdit::OnExportProgress(WPARAM serial, LPARAM positionMs) {
    if (serial != serial_ || !export_) return;
    SetTimer(Handle(), kExportStallTimer, limits_.exportStallMs, nullptr);
    Notify(WM_PLAYER_EXPORTPROGRESS, static_cast<WPARAM>(positionMs), static_cast<LPARAM>(exportTotal_ * 1000.0));
}

void CVideoEdit::OnExportEnded(WPARAM serial, LPARAM result) {
    if (serial != serial_ || !export_) return;
    KillTimer(Handle(), kExportStallTimer);
    export_.reset();
    Notify(WM_PLAYER_EXPORTFINISHED, static_cast<WPARAM>(result), 0);
}

// A file read before starts at once; any other once its probe answers.
void CVideoEdit::StartWhenRead(Waiting what) {
    if (const std::optional<MediaInfo> known = KnownMedia(path_)) {
        StartWith(what, *known);
        return;
    }
    waiting_ = what;
    waitingTicket_ = probes_.Start(path_);
}

void CVideoEdit::StartWith(Waiting what, const MediaInfo& info) {
    if (what == Waiting::Run) {
        StartPlayback(info);
    } else {
        StartExport(info);
    }
}

void CVideoEdit::OnProbed(WPARAM ticket) {
    const std::optional<CMediaProbes::Result> probed = probes_.Take(ticket);
    if (!probed || ticket != waitingTicket_ || waiting_ == Waiting::Nothing) return;
    const Waiting waited = waiting_;
    waiting_ = Waiting::Nothing;
    StartWith(waited, probed->info);
}

void CVideoEdit::OnTimeLimit(UINT_PTR timer) {
    KillTimer(Handle(), timer);
    if (timer == kFirstFrameTimer && Playing() && !(playback_ && playback_->Started())) EndPlayback();
    if (timer == kExportStallTimer && Exporting()) EndExport(ExportResult::Stalled);
}

// Also for a Run() still waiting for its source to be read.
void CVideoEdit::EndPlayback() {
    KillTimer(Handle(), kPlaybackTimer);
    KillTimer(Handle(), kFirstFrameTimer);
    if (waiting_ == Waiting::Run) waiting_ = Waiting::Nothing;
    if (playback_) {
        playback_->Stop();
        framesDropped_ = static_cast<int>(playback_->Dropped());
        clockFollowedSound_ = playback_->FollowsSound();
        playback_.reset();
    }
    ++serial_;
    Notify(WM_PLAYER_PLAYCOMPLETE, 0, 0);
}

// An export ended by the player (Close, or its time limit): the encoder is
// ended, its half-written file deleted, and the owner hears why.
void CVideoEdit::EndExport(ExportResult result) {
    KillTimer(Handle(), kExportStallTimer);
    if (waiting_ == Waiting::Export) waiting_ = Waiting::Nothing;
    if (export_) {
        export_->Abandon();
        export_.reset();
        if (deleteFile_) deleteFile_(exportPath_);
    }
    ++serial_;
    Notify(WM_PLAYER_EXPORTFINISHED, static_cast<WPARAM>(result), 0);
}

void CVideoEdit::Notify(UINT message, WPARAM wParam, LPARAM lParam) const {
    const HWND owner = Handle() ? GetParent(Handle()) : nullptr;
    if (owner) PostMessageA(owner, message, wParam, lParam);
}

void CVideoEdit::ShowFrame(const std::vector<std::uint8_t>& pixels, const PictureRect& fit) {
    if (!frame_ || fit.width != frameRect_.width || fit.height != frameRect_.height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = fit.width;
        info.bmiHeader.biHeight = -fit.height;  // top row first, as the encoder writes them
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        frameBits_ = nullptr;
        frame_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &frameBits_, nullptr, 0));
        if (!frame_) return;
    }
    frameRect_ = fit;
    std::memcpy(frameBits_, pixels.data(), pixels.size());
    ++framesShown_;
    InvalidateRect(Handle(), nullptr, FALSE);
}
