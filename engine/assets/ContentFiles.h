#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The regular files directly inside folder (no subfolders) whose extension, compared
// without regard to case, is extension (".fnt"), or every one when extension is empty;
// in name order so that which of two files with one stem wins does not depend on the
// file system. ContentError naming the folder when it cannot be listed.
std::vector<std::filesystem::path> ListContentFiles(const std::filesystem::path& folder,
                                                    const std::string& extension = std::string());
