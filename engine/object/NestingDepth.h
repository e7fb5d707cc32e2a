#pragma once

#include <string_view>

// The property tree parsers recurse once per nesting level, so a file nested deeply
// enough overflows the stack before they can report anything. Content is checked with
// these cheap scans first and refused beyond this depth.
constexpr int kMaxContentNesting = 256;

// The deepest nesting of objects and arrays, brackets inside strings not counted.
int JsonNestingDepth(std::string_view text);
// The deepest nesting of elements; comments, CDATA, declarations and processing
// instructions are skipped, and a stray closing tag never takes the depth below 0.
int XmlNestingDepth(std::string_view text);
