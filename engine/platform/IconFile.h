#pragma once

#include <filesystem>
#include <string>

// Reads the directory of an ICO or CUR file and the header of every image it lists,
// without decoding any pixels, and checks that each image is 1 to maxSide pixels on a
// side: the size a decoder allocates for it is its own header's (a bitmap's, whose
// height counts the mask's rows too, or a PNG's), which the directory's one-byte sizes
// do not bound. False, with the reason in *error, when the file cannot be read, is no
// ICO or CUR file, lists an image whose header is cut short or of neither kind, or an
// image of another size.
bool CheckIconImageSizes(const std::filesystem::path& path, int maxSide, std::string* error);
