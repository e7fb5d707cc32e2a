#pragma once

#include <string>
#include <vector>

// "A, B, C and 4 more": the first few names, then how many others there are. A few
// are enough to find what is meant, and a message box stays one readable line.
std::string ListFirstNames(const std::vector<std::string>& names, size_t shown = 3);
