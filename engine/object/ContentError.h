#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

// Bad game data: a malformed or inconsistent content file. Nothing in the game catches
// it, so the crash handler prints the message and records it in the crash report; the
// message therefore starts with the file, then says what is wrong with it.
class ContentError : public std::runtime_error {
public:
    ContentError(const std::filesystem::path& file, const std::string& problem);

    const std::filesystem::path& File() const { return mFile; }
    // What is wrong, without the file in front.
    const std::string& Problem() const { return mProblem; }

private:
    std::filesystem::path mFile;
    std::string mProblem;
};
