#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class Texture;

// One shown frame: a texture (not owned) and its frame index, -1 for the whole image.
struct AnimationFrame {
    Texture* Tex = nullptr;
    int FrameIndex = -1;
    float StartTime = 0.0f;  // seconds: the sum of the durations of the frames before it
};

// An animation as an ".anim" file describes it: frames with durations, optionally looping.
//
// The file is read line by line: "//" starts a comment line; a line beginning with
// "Loop" makes the animation loop and ends the file; any other line with two words is
// a frame (the frame text, then the duration text; more words are ignored); other lines
// are skipped. The frame text "+n" or "-n" steps from the previous frame's index in its
// texture; otherwise "Texture:Frame" names a frame of a texture. A duration with a
// decimal point is seconds; a whole number counts fixed update steps.
class AnimationData {
public:
    using TextureFinder = std::function<Texture*(const std::string& name)>;

    AnimationData() = default;
    AnimationData(const AnimationData&) = delete;
    AnimationData& operator=(const AnimationData&) = delete;
    virtual ~AnimationData() = default;

    // Reads the file of that path into this animation. ContentError naming the file when
    // it cannot be opened or read, and naming the file and line for a duration that is no
    // number, a negative duration, or a relative frame with nothing before it to step
    // from. A frame naming a texture that findTexture lacks is kept without a texture
    // (the sprite shows nothing while it lasts), with a note naming the file and line.
    void LoadFile(const std::filesystem::path& file, const TextureFinder& findTexture, int updatesPerSecond);
    // The same from an open stream; file names the source in messages.
    void Read(std::istream& in, const std::filesystem::path& file, const TextureFinder& findTexture,
              int updatesPerSecond);

    std::vector<AnimationFrame> Frames;
    float TotalDuration = 0.0f;
    bool Loop = false;
};
