#pragma once

#include <filesystem>
#include <string>
#include <utility>

// The elements of one content file that are left out while the rest of it loads (a
// glyph of a font, a sprite of an atlas holding values no file should hold). Told in one
// line through WarnContent, so that a file with many bad elements does not flood the
// editor's status rows:
//   Content/Fonts/Main/Small.fnt: char 66 left out: "width" is -5, less than 0 (and 2 more elements left out)
class SkippedElements {
public:
    explicit SkippedElements(std::filesystem::path file) : mFile(std::move(file)) {}

    // element names it within the file ("char 66"); problem says what is wrong.
    void Add(const std::string& element, const std::string& problem);
    int Count() const { return mCount; }
    // Tells the first element and how many more, when any was added.
    void Tell() const;

private:
    std::filesystem::path mFile;
    std::string mFirst;
    int mCount = 0;
};
