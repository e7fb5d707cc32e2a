#pragma once

#include <cstdint>
#include <string>

enum class TextXAlignment : int32_t { Left = 0, Center = 1, Right = 2 };
enum class TextYAlignment : int32_t { Top = 0, Middle = 1, Bottom = 2 };

// "" for a value without a name; text that names no alignment reads as Left / Top.
std::string TextXAlignmentToString(TextXAlignment alignment);
TextXAlignment TextXAlignmentFromString(const std::string& text);
std::string TextYAlignmentToString(TextYAlignment alignment);
TextYAlignment TextYAlignmentFromString(const std::string& text);
