#pragma once

#include <string>

// The save file's opening text, followed there by a NUL: a plain signature that tells
// our files from foreign or older ones. Nothing in the file is enciphered.
extern const std::string gSaveHeader;
