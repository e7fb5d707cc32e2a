#pragma once

#include <filesystem>
#include <string>

#include "platform/SdlSurface.h"

// Decodes an image file as the one format its name says (".png", ".jpg", ".jpeg",
// ".bmp", ".gif", ".tga", ".ico", ".cur"), or, when the name says none (".sheet"), as
// the format whose signature the file starts with. Never by the image library's own
// guessing, which takes any file holding "<svg" near its start for a drawing. Null,
// with the reason in *error, when the file cannot be opened or is not of that format.
SdlSurfacePtr DecodeImageFile(const std::filesystem::path& path, std::string* error);
