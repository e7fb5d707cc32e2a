#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Content problems the program survives (a missing prefab skipped, a shape that does
// not parse, a file that failed to reload) are told, never thrown: one line on
// standard error, and to the listener the editor installs so that a designer sees it
// in the editor too.
void WarnContent(const std::string& text);

using ContentWarningListener = std::function<void(const std::string& text)>;
// One listener at a time; an empty one removes it.
void SetContentWarningListener(ContentWarningListener listener);

// A file read again without a problem (a hot reload): whatever was told of it before no
// longer holds. Only the listener hears it, so that the editor can take back a notice.
void TellContentReadClean(const std::filesystem::path& file);

using ContentReadCleanListener = std::function<void(const std::filesystem::path& file)>;
// One listener at a time; an empty one removes it.
void SetContentReadCleanListener(ContentReadCleanListener listener);
