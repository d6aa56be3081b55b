#include "player/sound_output.h"

#include <vector>

#include "player/encoder_commands.h"

namespace {

constexpr DWORD kBytesPerSecond = kSoundRate * kSoundChannels * 2;
// A tenth of a second per buffer, four queued: little latency, no gaps.
constexpr DWORD kBufferBytes = kBytesPerSecond / 10;
constexpr int kBufferCount = 4;
// Queued before the playback may start.
constexpr int kBuffersBeforeReady = 2;

}  // namespace

CSoundOutput::~CSoundOutput() { Close(); }

bool CSoundOutput::Open(const std::string& soundCommand) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = kSoundChannels;
    format.nSamplesPerSec = kSoundRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = kSoundChannels * 2;
    format.nAvgBytesPerSec = kBytesPerSecond;
    bufferDone_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    stop_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!bufferDone_ || !stop_) return false;
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone_.Get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    waveOutPause(device_);
    if (!decoder_.Start(soundCommand, CPlayerProcess::Output::Standard, false)) {
        ready_ = true;
        ended_ = true;
        return true;
    }
    feeder_ = std::thread([this] { Feed(); });
    return true;
}

// Keeps every buffer that the device has given back refilled from the decoder.
void CSoundOutput::Feed() {
    std::vector<std::vector<char>> memory(kBufferCount, std::vector<char>(kBufferBytes));
    std::vector<WAVEHDR> headers(kBufferCount);
    for (int n = 0; n < kBufferCount; ++n) {
        headers[n].lpData = memory[n].data();
        headers[n].dwBufferLength = kBufferBytes;
        waveOutPrepareHeader(device_, &headers[n], sizeof(WAVEHDR));
        headers[n].dwFlags |= WHDR_DONE;
    }
    int queued = 0;
    bool decoding = true;
    while (decoding) {
        for (WAVEHDR& header : headers) {
            if (!(header.dwFlags & WHDR_DONE) || !decoding) continue;
            DWORD filled = 0;
            while (filled < kBufferBytes) {
                const DWORD got = decoder_.Read(header.lpData + filled, kBufferBytes - filled);
                if (got == 0) break;
                filled += got;
            }
            if (filled < kBufferBytes) decoding = false;
            filled -= filled % (kSoundChannels * 2);
            if (filled == 0) continue;
            header.dwBufferLength = filled;
            header.dwFlags &= ~WHDR_DONE;
            waveOutWrite(device_, &header, sizeof(WAVEHDR));
            if (++queued >= kBuffersBeforeReady) ready_ = true;
        }
        if (!decoding) break;
        const HANDLE events[2] = {stop_.Get(), bufferDone_.Get()};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) break;
    }
    ready_ = true;
    // Every buffer must be back from the device before it is unprepared.
    for (;;) {
        bool allDone = true;
        for (const WAVEHDR& header : headers) allDone = allDone && (header.dwFlags & WHDR_DONE);
        if (allDone) break;
        const HANDLE events[2] = {stop_.Get(), bufferDone_.Get()};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) waveOutReset(device_);
    }
    ended_ = true;
    for (WAVEHDR& header : headers) waveOutUnprepareHeader(device_, &header, sizeof(WAVEHDR));
}

void CSoundOutput::Play() {
    if (device_) waveOutRestart(device_);
}

double CSoundOutput::Position() const {
    if (!device_) return -1.0;
    MMTIME time = {};
    time.wType = TIME_BYTES;
    if (waveOutGetPosition(device_, &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_BYTES) return -1.0;
    return static_cast<double>(time.u.cb) / kBytesPerSecond;
}

void CSoundOutput::Close() {
    if (stop_) SetEvent(stop_.Get());
    decoder_.Cancel();
    if (device_) waveOutReset(device_);
    if (feeder_.joinable()) feeder_.join();
    if (device_) waveOutClose(device_);
    device_ = nullptr;
    bufferDone_.Reset();
    stop_.Reset();
}
