#pragma once

#include <string>
#include <string_view>

#include "game/levels/SavedProgress.h"

// Reads the save file's bytes, field after field. Damage that leaves the layout clear is
// reported and the reading goes on: a flag byte above 1 reads as set, best times out of
// byte order are all taken, a repeated level keeps its better time, a count above the
// best times present stops taking entries where exactly the later fields are left, and a
// value no play gives (a time that is not a number, out of range, a negative count) is
// left out: its level stays uncompleted, its field keeps its value.
// Otherwise the reading stops at the first field that is missing; the fields not reached
// keep their values, and a best time is added only when its name and time were read.
class SaveFileReader {
public:
    struct Result {
        // Empty when the whole record was read as the writer would write it and nothing
        // followed it; else what is wrong and at which offset, for a message that names
        // the file.
        std::string Problem;
        // Whether the signature matched, i.e. the bytes were taken for a save at all.
        bool SignatureMatched = false;

        bool Complete() const { return Problem.empty(); }
    };

    static Result Decode(std::string_view bytes, SavedProgress& progress);
};
