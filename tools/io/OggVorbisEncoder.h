#pragma once

#include "tools/io/Bytes.h"

#include <vector>

namespace qv::tools {

// Ogg Vorbis bytes of interleaved float samples. Encoded with libvorbisenc
// directly (not through libsndfile, which picks a time-seeded stream serial
// number) so that the same samples always give the same bytes. The last page's
// granule position is the exact frame count, so decoders return every frame
// and no padding.
Bytes EncodeOggVorbis(const std::vector<float>& interleaved, int channels, int sampleRate, float quality);

}  // namespace qv::tools
