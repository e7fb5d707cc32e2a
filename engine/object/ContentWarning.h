#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Content problems the program survives (a missing prefab skipped, a shape that does
// not parse, a file that failed to reload) are told, never thrown: one line on
// standard error, and to the listener the editor installs so that a designer sees it
// in the editor too.
void WarnContent(const std::string& text);

using ContentWarningListener = std::function<void(const std::string& text)>;
// One listener at a time; an empty one removes it.
void SetContentWarningListener(ContentWarningListener listener);

// What was told while no listener was installed (the start-up loads the content before
// the editor listens), oldest first, at most MaxUnheardContentWarnings; taking them
// empties the list.
constexpr size_t MaxUnheardContentWarnings = 16;
std::vector<std::string> TakeUnheardContentWarnings();

// A file read again without a problem (a hot reload): whatever was told of it before no
// longer holds. Only the listener hears it, so that the editor can take back a notice.
void TellContentReadClean(const std::filesystem::path& file);

using ContentReadCleanListener = std::function<void(const std::filesystem::path& file)>;
// One listener at a time; an empty one removes it.
void SetContentReadCleanListener(ContentReadCleanListener listener);
