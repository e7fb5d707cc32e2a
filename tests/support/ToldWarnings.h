#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "object/ContentWarning.h"

// The content warnings told while it lives, in order, and the files told read clean.
class ToldWarnings {
public:
    ToldWarnings() {
        SetContentWarningListener([this](const std::string& text) { Lines.push_back(text); });
        SetContentReadCleanListener([this](const std::filesystem::path& file) { ReadClean.push_back(file); });
    }
    ~ToldWarnings() {
        SetContentWarningListener(nullptr);
        SetContentReadCleanListener(nullptr);
    }
    ToldWarnings(const ToldWarnings&) = delete;
    ToldWarnings& operator=(const ToldWarnings&) = delete;

    // The lines holding both texts, in order.
    std::vector<std::string> Matching(const std::string& what, const std::string& andWhat = "") const {
        std::vector<std::string> found;
        std::copy_if(Lines.begin(), Lines.end(), std::back_inserter(found), [&](const std::string& line) {
            return line.find(what) != std::string::npos && line.find(andWhat) != std::string::npos;
        });
        return found;
    }
    size_t Naming(const std::string& what, const std::string& andWhat = "") const {
        return Matching(what, andWhat).size();
    }

    // The files of that name told read clean.
    size_t ReadCleanNamed(const std::string& fileName) const {
        return static_cast<size_t>(
            std::count_if(ReadClean.begin(), ReadClean.end(),
                          [&](const std::filesystem::path& file) { return file.filename() == fileName; }));
    }

    std::vector<std::string> Lines;
    std::vector<std::filesystem::path> ReadClean;
};
