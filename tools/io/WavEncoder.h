#pragma once

#include "tools/io/Bytes.h"

#include <vector>

namespace qv::tools {

// 16-bit PCM WAV bytes of interleaved float samples in [-1, 1] (louder samples are clipped).
Bytes EncodeWav16(const std::vector<float>& interleaved, int channels, int sampleRate);

}  // namespace qv::tools
