#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>

// Writes a file through write(stream) into a temporary file beside it (the name with
// ".tmp" appended), then renames that over the file, so a crash mid-save leaves either
// the old file or the new one, never a truncated one. When writing fails the temporary
// file is removed: an exception from write() passes through unchanged, and a stream or
// rename failure raises ContentError naming the file.
void WriteFileAtomically(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);
