#pragma once

#include <string>
#include <string_view>

#include "game/levels/SavedProgress.h"

// Reads the save file's bytes. Reading goes field after field and stops at the first
// that is missing or malformed; the fields not reached keep their values, and a best
// time is added only when both its name and its time were read.
class SaveFileReader {
public:
    struct Result {
        // Empty when the whole record was read and nothing followed it; else what is
        // wrong and where, for a message that names the file.
        std::string Problem;
        // Whether the signature matched, i.e. the bytes were taken for a save at all.
        bool SignatureMatched = false;

        bool Complete() const { return Problem.empty(); }
    };

    static Result Decode(std::string_view bytes, SavedProgress& progress);
};
