#include "player/picture_reader.h"

void CPictureReader::Start(const std::string& commandLine) {
    thread_ = std::thread([this, commandLine] { Read(commandLine); });
}

void CPictureReader::Read(const std::string& commandLine) {
    if (decoder_.Start(commandLine, CPlayerProcess::Output::Standard, false)) {
        for (long count = 0;; ++count) {
            Frame frame{count / frameRate_, std::vector<std::uint8_t>(frameBytes_)};
            if (!decoder_.ReadExactly(frame.pixels.data(), static_cast<DWORD>(frameBytes_))) break;
            if (!frames_.Push(std::move(frame))) break;
            if (count == 0) PostMessageA(wake_.window, wake_.message, wake_.serial, 0);
        }
    }
    frames_.MarkEnded();
    PostMessageA(wake_.window, wake_.message, wake_.serial, 0);
}

void CPictureReader::Stop() {
    decoder_.Cancel();
    frames_.Close();
    if (thread_.joinable()) thread_.join();
}
