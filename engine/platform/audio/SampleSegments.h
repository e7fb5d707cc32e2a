#pragma once

#include <AL/al.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/AlBuffer.h"
#include "platform/audio/LoopCursor.h"
#include "platform/audio/SoundFile.h"

// A decoded sample cut at its loop points into up to three OpenAL buffers: the part
// before the loop, the loop section and the part after it. Queuing the loop buffer
// again and again repeats the section without a gap and without copying. Shared by
// every channel that plays it, so new loop points never pull buffers from under a
// playing source.
class SampleSegments {
public:
    // Null when OpenAL does not take the data. Needs the context current.
    static std::shared_ptr<const SampleSegments> Build(const std::vector<int16_t>& samples, const SoundFormat& format,
                                                       LoopRegion loop);

    // The buffer of the part that begins at firstFrame; 0 when no part begins there.
    ALuint BufferAt(uint64_t firstFrame) const;

private:
    struct Segment {
        uint64_t FirstFrame;
        AlBuffer Buffer;
    };

    std::vector<Segment> mSegments;
};
