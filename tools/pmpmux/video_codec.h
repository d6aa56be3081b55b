#pragma once

#include <cstddef>
#include <string>

// The two video codecs a .pmp file can carry; the values are the header's
// video format field.
enum class VideoCodec { kMpeg4 = 0, kH264 = 1 };

// The codec an AVI four-character code names ("XVID", "FMP4", "H264", ...,
// in any letter case); false for codes of other codecs.
bool CodecFromFourCc(const std::string& fourCc, VideoCodec* codec);

// Whether a frame can be decoded on its own, read from the bitstream for AVI
// files that have no index to say so: an MPEG-4 frame whose first VOP is
// intra coded, an H.264 frame that holds an IDR slice.
bool IsKeyFrame(VideoCodec codec, const unsigned char* frame, std::size_t size);
