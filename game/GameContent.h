#pragma once

#include "object/ExpectedContent.h"

// The content the game's code asks for by name: every cue it plays, every prefab it
// builds by name, the music tracks its screens start and the aiming cursor. Kept
// beside the code that asks: a name added there belongs here too.
ExpectedContent GameExpectedContent();
