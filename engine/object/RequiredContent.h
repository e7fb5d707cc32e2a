#pragma once

#include "object/ContentError.h"

// A file without which the game cannot run at all (the level list, the key mappings,
// the game configuration) is missing or cannot be read. Not a crash: nothing ran yet and
// the player can mend it, so the program says so and stops with status 1, writing no
// crash report, as it does when no window can be opened.
class RequiredContentError : public ContentError {
public:
    using ContentError::ContentError;
    // The same file and problem, in a file the game cannot run without.
    explicit RequiredContentError(const ContentError& cause) : ContentError(cause.File(), cause.Problem()) {}
};

// Runs read, which reads one required file; a ContentError it raises stops the game as
// a RequiredContentError.
template <class Read>
void ReadRequiredContent(Read&& read) {
    try {
        read();
    } catch (const RequiredContentError&) {
        throw;
    } catch (const ContentError& damaged) {
        throw RequiredContentError(damaged);
    }
}
