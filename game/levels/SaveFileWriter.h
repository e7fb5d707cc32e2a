#pragma once

#include <string>
#include <string_view>

#include "game/levels/SavedProgress.h"

// The save file's bytes: the signature and its NUL, the count and the best times in
// byte-wise name order, the seven fixed fields and the last level's name with its NUL.
class SaveFileWriter {
public:
    // Names are stored NUL-terminated, so one holding a NUL cannot be stored.
    static bool CanStoreName(std::string_view name);

    // A best time under a name that cannot be stored is left out (and not counted); such
    // a last level name is stored as "".
    static std::string Encode(const SavedProgress& progress);
};
