#pragma once

#include <filesystem>

// Tests of the whole game read the content the game reads: the committed text content
// (prefabs, animations, configuration) and the binary content the content build makes.

// The repository's Content folder.
std::filesystem::path CommittedContent();

// A content folder made once per test program (on first use) in a temporary folder,
// removed when the program ends: the content build's output with copies of the
// committed prefabs, animations and configuration beside it. Used as the development
// content path and as the texture and font folders' root.
const std::filesystem::path& GeneratedContent();
