#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

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

// Characters of a content file quoted in a message, at most this many.
constexpr size_t QuotedContentLength = 32;

// Text of a content file as a message quotes it: between double quotes, each byte that
// is no printable character shown as "?", and cut with "..." after QuotedContentLength
// characters. A damaged file's bytes never reach a terminal or the editor's notice raw.
std::string QuotedContent(std::string_view text);
