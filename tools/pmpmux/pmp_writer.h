#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pmpmux/audio_schedule.h"
#include "pmpmux/avi_reader.h"
#include "pmpmux/byte_io.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_format.h"

// Muxing happens in two steps so that every input problem is found before
// the output file is created: the plan settles the header, which audio
// frames go with which video frame and every packet's size; writing then
// only copies bytes.

struct PmpPlan {
    PmpHeader header;
    AudioSchedule audio;
    std::vector<std::uint32_t> packetSizes;
};

bool PlanPmp(const AviVideo& video, const Mp3Stream& audio, PmpPlan* plan, std::string* error);

// Writes the header, the index and the packets, reading each video frame and
// audio frame from its file as it goes. Nothing follows the last packet.
bool WritePmp(const PmpPlan& plan, const AviVideo& video, ByteSource& videoFile, const Mp3Stream& audio,
              ByteSource& audioFile, ByteSink& out, std::string* error);
