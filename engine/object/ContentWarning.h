#pragma once

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
