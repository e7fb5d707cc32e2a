#pragma once

#include <filesystem>

// The folder holding the running program.
std::filesystem::path GetProgramFolder();
// The program file's stem ("quorvane").
std::string GetProgramStem();
// $XDG_DATA_HOME (else ~/.local/share) joined with the program's stem. Not created here.
std::filesystem::path GetUserDataFolder();
