#include "platform/audio/SampleSegments.h"

std::shared_ptr<const SampleSegments> SampleSegments::Build(const std::vector<int16_t>& samples,
                                                            const SoundFormat& format, LoopRegion loop) {
    const auto channels = static_cast<size_t>(format.Channels);
    const uint64_t cuts[] = {0, loop.Start, loop.End + 1, format.Frames};
    auto built = std::make_shared<SampleSegments>();
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
        const uint64_t first = cuts[i];
        const uint64_t end = cuts[i + 1];
        if (first >= end) {
            continue;
        }
        Segment segment{first, AlBuffer()};
        if (!segment.Buffer.Upload(format.Channels, format.SampleRate, samples.data() + first * channels,
                                   static_cast<size_t>(end - first))) {
            return nullptr;
        }
        built->mSegments.push_back(std::move(segment));
    }
    return built;
}

ALuint SampleSegments::BufferAt(uint64_t firstFrame) const {
    for (const Segment& segment : mSegments) {
        if (segment.FirstFrame == firstFrame) {
            return segment.Buffer.Id();
        }
    }
    return 0;
}
