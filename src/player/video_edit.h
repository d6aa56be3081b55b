#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "framework/window.h"
#include "player/codec_catalog.h"
#include "player/encoder_commands.h"
#include "player/export_run.h"
#include "player/media_probes.h"
#include "player/media_report.h"
#include "player/picture_fit.h"
#include "player/player_events.h"

class CPlayback;

// How long the player waits for a source before it gives up: a still frame or
// playback whose first frame has not come within firstFrameMs is ended (with
// its PlayComplete), and an export without progress for exportStallMs is
// ended as stalled. Tests make them short.
struct PlayerLimits {
    DWORD firstFrameMs = 10000;
    DWORD exportStallMs = 60000;
};

// The preview player: a child window that measures a file, shows the frame at
// a time, plays a range with sound, and writes a range to an AVI or MPEG file.
// The decoding is done by ffmpeg.exe, one short run per question and per
// still frame, one run for the pictures and one for the sound of a playback,
// one per export; worker threads read them, and the window paints frames when
// the playback's clock reaches them. What a file holds is asked on a worker
// thread too, so no call blocks the window for longer than a few
// milliseconds; only GetDuration, for tools, and the first listing of the
// build's encoders (once per program, for an export) wait for the encoder.
//
// Events go to the owner window as posted messages (player_events.h). Every
// Run() ends with one PlayComplete, also when the file cannot be read or the
// run is stopped or closed; every export that ExportTo() started ends with one
// ExportFinished that tells whether it finished, failed, stalled or was
// stopped.
class CVideoEdit : public CWindow {
public:
    // Lists of codec names, as the export chooses from them.
    class CCodecList {
    public:
        explicit CCodecList(std::vector<CatalogCodec> codecs) : codecs_(std::move(codecs)) {}
        short Count() const { return static_cast<short>(codecs_.size()); }
        // The name at the index; empty outside the list.
        std::string Item(short index) const;
        std::string Encoder(short index) const;

    private:
        std::vector<CatalogCodec> codecs_;
    };

    // encoder: the full path of ffmpeg.exe. deleteFile: how the player deletes
    // an export it abandoned (the program's one delete helper).
    CVideoEdit(std::string encoder, std::function<void(const std::string&)> deleteFile, PlayerLimits limits = {});
    ~CVideoEdit() override;

    // Creates the player's window; events go to the parent.
    bool Create(HWND parent, const RECT& rect, UINT id);

    // Seconds of the file, from the encoder's report; 0 when it cannot be read.
    // Waits for the encoder: not for the window's thread.
    double GetDuration(const std::string& path);

    // Chooses the file and range of the next Run() or ExportTo(); mode 0 shows
    // the frame at the start (at 0 when the start lies past the file's end),
    // mode 1 plays the range. False for an empty path.
    bool OpenRange(const std::string& path, double start, double end, short mode);
    bool SetSelection(const std::string& path, double start, double end);

    // Starts the opened range. False, with a PlayComplete all the same, when
    // nothing is open or an export runs; false without one while a run is
    // already under way (that run's PlayComplete still comes).
    bool Run();
    // Ends a still frame or playback at once, keeping the frame shown; asks an
    // export to finish its file early.
    void Stop();
    // Ends whatever runs (an export's file is deleted) and forgets the range.
    void Close();
    // As Close(), and the output properties return to their defaults.
    void Reset();

    // Output properties of the next export.
    void SetVideoCodecIndex(short index) { videoCodecIndex_ = index; }
    void SetUseVideoCodec(bool use) { useVideoCodec_ = use; }
    void SetAudioCodecIndex(short index) { audioCodecIndex_ = index; }
    void SetUseAudioCodec(bool use) { useAudioCodec_ = use; }
    void SetOutputWidth(short width) { outputWidth_ = width; }
    void SetOutputHeight(short height) { outputHeight_ = height; }
    // Kept for the caller's sake: every export is written in 24-bit colour.
    void SetOutputBitCount(short bits) { outputBitCount_ = bits; }
    void SetOutputFormat(long format) { outputFormat_ = format; }
    void SetOutputFrameRate(float rate) { outputFrameRate_ = rate; }

    CCodecList VideoCodecs();
    CCodecList AudioCodecs();

    // Writes the opened range to a new file (never over an existing one) with
    // the output properties. False when it cannot start: nothing opened, an
    // export or playback under way, properties it cannot write, a file already
    // there; then it has created nothing. Once it returns true the file is
    // there and the export's own. A source without pictures or sound ends with
    // ExportFinished(Failed).
    bool ExportTo(const std::string& path);

    // For tests and measurements: frames painted and frames skipped as late
    // since the last Run().
    int FramesShown() const { return framesShown_; }
    int FramesDropped() const { return framesDropped_; }
    // Whether the last playback's clock followed the sound card to its end.
    bool ClockFollowedSound() const { return clockFollowedSound_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void Draw(HDC target);
    void OnTimer();
    void OnShowWindow(bool shown);
    void OnDestroy();
    void OnPicturesNews(WPARAM serial);
    void OnExportProgress(WPARAM serial, LPARAM positionMs);
    void OnExportEnded(WPARAM serial, LPARAM result);
    void OnProbed(WPARAM ticket);
    void OnTimeLimit(UINT_PTR timer);

    // A Run() or ExportTo() waiting for its source to be read.
    enum class Waiting { Nothing, Run, Export };
    // Run() and ExportTo() go on here once the source has been read.
    void StartWhenRead(Waiting what);
    void StartWith(Waiting what, const MediaInfo& info);
    void StartPlayback(const MediaInfo& info);
    void StartExport(const MediaInfo& info);
    void EndPlayback();
    void EndExport(ExportResult result);
    bool Playing() const { return playback_ || waiting_ == Waiting::Run; }
    bool Exporting() const { return export_ || waiting_ == Waiting::Export; }
    void Notify(UINT message, WPARAM wParam, LPARAM lParam) const;
    void ShowFrame(const std::vector<std::uint8_t>& pixels, const PictureRect& fit);
    const std::vector<CatalogCodec>& Encoders(bool video);

    const std::string encoder_;
    const std::function<void(const std::string&)> deleteFile_;
    const PlayerLimits limits_;
    CMediaProbes probes_;
    Waiting waiting_ = Waiting::Nothing;
    WPARAM waitingTicket_ = 0;
    ExportSettings exportSettings_;

    std::string path_;
    double start_ = 0.0;
    double end_ = 0.0;
    short mode_ = 0;

    short videoCodecIndex_ = 0;
    bool useVideoCodec_ = false;
    short audioCodecIndex_ = 0;
    bool useAudioCodec_ = false;
    short outputWidth_ = 320;
    short outputHeight_ = 240;
    short outputBitCount_ = 24;
    long outputFormat_ = 6;
    float outputFrameRate_ = 25.0f;

    // Internal messages carry the serial of their run: news of an ended run is dropped.
    WPARAM serial_ = 0;
    std::unique_ptr<CPlayback> playback_;
    std::unique_ptr<CExportRun> export_;
    std::string exportPath_;
    double exportTotal_ = 0.0;

    CBitmapHandle frame_;
    void* frameBits_ = nullptr;
    PictureRect frameRect_;
    int framesShown_ = 0;
    int framesDropped_ = 0;
    bool clockFollowedSound_ = false;
};
