#include "assets/AnimationData.h"

#include <limits>
#include <sstream>
#include <string_view>

#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/NumberText.h"
#include "object/ReadableFile.h"
#include "platform/DebugPrint.h"

namespace {

// The line forms are small patterns, matched by hand: in the words of regular
// expressions (searched for anywhere in the text, ECMAScript classes) they are
// "(\S+)\s+(\S+)" for a frame line, "(\+|-)(\d+)" for a relative frame,
// "(\w+)?:?(\w+)" for a named frame and "\d+\.\d+" for a duration in seconds.

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWordChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

template <class Predicate>
size_t RunEnd(std::string_view text, size_t from, Predicate inRun) {
    while (from < text.size() && inRun(text[from])) {
        ++from;
    }
    return from;
}

// The first two words of a line; false for a line of fewer words.
bool SplitFrameLine(std::string_view line, std::string_view* frameText, std::string_view* durationText) {
    const auto notSpace = [](char c) { return !IsSpace(c); };
    const size_t firstStart = RunEnd(line, 0, IsSpace);
    const size_t firstEnd = RunEnd(line, firstStart, notSpace);
    const size_t secondStart = RunEnd(line, firstEnd, IsSpace);
    const size_t secondEnd = RunEnd(line, secondStart, notSpace);
    if (firstStart == firstEnd || secondStart == secondEnd) {
        return false;
    }
    *frameText = line.substr(firstStart, firstEnd - firstStart);
    *durationText = line.substr(secondStart, secondEnd - secondStart);
    return true;
}

struct RelativeStep {
    bool Forward = true;
    std::string_view Digits;
};

// The first sign followed by a digit, anywhere in the text.
bool FindRelativeStep(std::string_view text, RelativeStep* step) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if ((text[i] == '+' || text[i] == '-') && IsDigit(text[i + 1])) {
            step->Forward = text[i] == '+';
            step->Digits = text.substr(i + 1, RunEnd(text, i + 1, IsDigit) - (i + 1));
            return true;
        }
    }
    return false;
}

struct FrameName {
    std::string_view Texture;
    std::string_view Frame;
};

// "Texture:Frame". The texture part is greedy, so without a colon a word splits before
// its last character; a lone ":Frame" names no texture.
bool FindFrameName(std::string_view text, FrameName* name) {
    for (size_t p = 0; p < text.size(); ++p) {
        if (IsWordChar(text[p])) {
            const size_t end = RunEnd(text, p, IsWordChar);
            if (end + 1 < text.size() && text[end] == ':' && IsWordChar(text[end + 1])) {
                name->Texture = text.substr(p, end - p);
                name->Frame = text.substr(end + 1, RunEnd(text, end + 1, IsWordChar) - (end + 1));
            } else {
                name->Texture = text.substr(p, end - 1 - p);
                name->Frame = text.substr(end - 1, 1);
            }
            return true;
        }
        if (text[p] == ':' && p + 1 < text.size() && IsWordChar(text[p + 1])) {
            name->Texture = std::string_view();
            name->Frame = text.substr(p + 1, RunEnd(text, p + 1, IsWordChar) - (p + 1));
            return true;
        }
    }
    return false;
}

// Digits, a point, digits, anywhere in the text.
bool HasDecimalPoint(std::string_view text) {
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '.' && IsDigit(text[i - 1]) && IsDigit(text[i + 1])) {
            return true;
        }
    }
    return false;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Reads one file, keeping the place for messages.
class AnimationReader {
public:
    AnimationReader(AnimationData& animation, const std::filesystem::path& file,
                    const AnimationData::TextureFinder& findTexture, int updatesPerSecond)
        : mAnimation(animation), mFile(file), mFindTexture(findTexture), mUpdatesPerSecond(updatesPerSecond) {}

    void Read(std::istream& in) {
        std::string line;
        // getline takes lines of any length and stops on any failure, not only at the end.
        while (std::getline(in, line)) {
            ++mLineNumber;
            if (StartsWith(line, "//")) {
                continue;
            }
            if (StartsWith(line, "Loop")) {
                mAnimation.Loop = true;
                return;
            }
            std::string_view frameText;
            std::string_view durationText;
            if (SplitFrameLine(line, &frameText, &durationText)) {
                AddFrame(std::string(frameText), std::string(durationText));
            }
        }
        if (in.bad()) {
            throw ContentError(mFile, "reading failed after line " + std::to_string(mLineNumber));
        }
    }

private:
    void AddFrame(const std::string& frameText, const std::string& durationText) {
        AnimationFrame frame = DecideFrame(frameText);
        const float duration = DecideDuration(durationText);
        frame.StartTime = mAnimation.TotalDuration;
        mAnimation.Frames.push_back(frame);
        mAnimation.TotalDuration += duration;
    }

    AnimationFrame DecideFrame(const std::string& text) const {
        AnimationFrame frame;
        RelativeStep step;
        FrameName name;
        if (FindRelativeStep(text, &step)) {
            if (mAnimation.Frames.empty()) {
                throw Problem("the relative frame " + QuotedContent(text) + " has no frame before it to step from");
            }
            const std::optional<int> steps = ParseInt(step.Digits);
            if (!steps) {
                throw Problem("the frame step " + QuotedContent(step.Digits) + " is out of range");
            }
            const AnimationFrame& previous = mAnimation.Frames.back();
            frame.Tex = previous.Tex;
            // In 64 bits: a huge step must not overflow; out of range it selects no frame.
            const long long index =
                static_cast<long long>(previous.FrameIndex) + (step.Forward ? *steps : -static_cast<long long>(*steps));
            const bool inRange = index >= std::numeric_limits<int>::min() && index <= std::numeric_limits<int>::max();
            frame.FrameIndex = inRange ? static_cast<int>(index) : -1;
        } else if (FindFrameName(text, &name)) {
            const std::string textureName(name.Texture);
            frame.Tex = mFindTexture ? mFindTexture(textureName) : nullptr;
            if (frame.Tex == nullptr) {
                Note("no texture is named " + QuotedContent(textureName) + "; the frame shows nothing");
                frame.FrameIndex = -1;
            } else {
                frame.FrameIndex = frame.Tex->GetFrameIndex(std::string(name.Frame));
                if (frame.FrameIndex < 0) {
                    Note("the texture \"" + textureName + "\" has no frame " + QuotedContent(name.Frame) +
                         "; the frame shows the whole texture");
                }
            }
        } else {
            frame.FrameIndex = 0;  // no texture: the sprite shows nothing while it lasts
        }
        return frame;
    }

    float DecideDuration(const std::string& text) const {
        float seconds = 0.0f;
        if (HasDecimalPoint(text)) {
            const std::optional<float> value = ParseFloat(text);
            if (!value) {
                throw Problem("the duration " + QuotedContent(text) + " is not a number of seconds");
            }
            seconds = *value;
        } else {
            const std::optional<int> steps = ParseInt(text);
            if (!steps) {
                throw Problem("the duration " + QuotedContent(text) + " is not a whole number of steps");
            }
            seconds = static_cast<float>(*steps) / static_cast<float>(mUpdatesPerSecond);
        }
        if (seconds < 0.0f) {
            throw Problem("the duration " + QuotedContent(text) + " is negative");
        }
        return seconds;
    }

    ContentError Problem(const std::string& what) const {
        return ContentError(mFile, "line " + std::to_string(mLineNumber) + ": " + what);
    }

    void Note(const std::string& what) const {
        DebugPrint((mFile.generic_string() + ": line " + std::to_string(mLineNumber) + ": " + what + "\n").c_str());
    }

    AnimationData& mAnimation;
    const std::filesystem::path& mFile;
    const AnimationData::TextureFinder& mFindTexture;
    int mUpdatesPerSecond;
    int mLineNumber = 0;
};

}  // namespace

void AnimationData::LoadFile(const std::filesystem::path& file, const TextureFinder& findTexture,
                             int updatesPerSecond) {
    std::istringstream in(ReadWholeFile(file));
    Read(in, file, findTexture, updatesPerSecond);
}

void AnimationData::Read(std::istream& in, const std::filesystem::path& file, const TextureFinder& findTexture,
                         int updatesPerSecond) {
    AnimationReader(*this, file, findTexture, updatesPerSecond).Read(in);
}
