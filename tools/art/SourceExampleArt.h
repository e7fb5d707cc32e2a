#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>
#include <vector>

namespace qv::tools {

// The example texture source folder, relative to the development content folder. Its
// pictures are drawn here, not committed: the folder holds only a note, and the content
// build paints what is missing before it packs the source folders.
std::filesystem::path ExampleSourceFolder();

// The example's PNG files, relative to the development content folder: a lit crate
// frame with its "_NRM" and "_SPEC" layers and a smaller lid frame with colour only.
std::vector<OutputFile> ExampleSourcePictures();

// Writes the example's pictures that are missing, only when the example folder exists
// below sourceRoot (a designer who removed it does not get it back), and leaves the
// others as a designer may have painted them. Returns the number written.
int WriteMissingExamplePictures(const std::filesystem::path& sourceRoot);

}  // namespace qv::tools
