#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>

// Writes a file through write(stream) into a temporary file beside it (the name with
// ".tmp" appended), forces it to the disk, then renames that over the file and forces
// the folder, so a crash or a power cut mid-save leaves either the old file or the new
// one, never a truncated or empty one. When writing fails the temporary file is
// removed: an exception from write() passes through unchanged, and a stream, sync or
// rename failure raises ContentError naming the file.
void WriteFileAtomically(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);

// How a written file or folder is forced to the disk (fsync); tests watch it.
extern int (*gSyncToDisk)(int descriptor);
