#pragma once

#include <cstdint>
#include <string>

// One music track: its file and the section that repeats, in PCM sample frames with an
// inclusive end; the start lies before the end. Without both points the whole track
// repeats.
class MusicMetadata {
public:
    static constexpr uint32_t NoLoopPoint = 0xFFFFFFFFu;

    virtual ~MusicMetadata() = default;

    bool HasLoopPoints() const { return LoopStartSample != NoLoopPoint && LoopEndSample != NoLoopPoint; }

    std::string FilePath;
    uint32_t LoopStartSample = NoLoopPoint;
    uint32_t LoopEndSample = NoLoopPoint;
};
