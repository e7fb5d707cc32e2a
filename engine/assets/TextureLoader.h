#pragma once

#include <filesystem>

class GfxDevice;
class Texture;

// Reads an image file into the texture (size, full mip chain) on the device. A stem
// ending in "_COL" also reads the "_NRM" and "_SPEC" companions beside it into the
// normal-specular texture. An unreadable image, or one whose header claims a side over
// 8192 pixels or over the device's texture size limit (refused before decoding), leaves
// the texture as it was and returns false; the reason is told through WarnContent. A
// texture the device then fails to make raises ContentError naming the file. Without a
// device it raises std::logic_error naming the file.
bool LoadTexture(GfxDevice* device, Texture* texture, const std::filesystem::path& path);
