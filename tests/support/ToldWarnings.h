#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "object/ContentWarning.h"

// The content warnings told while it lives, in order.
class ToldWarnings {
public:
    ToldWarnings() {
        SetContentWarningListener([this](const std::string& text) { Lines.push_back(text); });
    }
    ~ToldWarnings() { SetContentWarningListener(nullptr); }
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

    std::vector<std::string> Lines;
};
