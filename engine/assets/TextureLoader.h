#pragma once

#include <filesystem>

class GfxDevice;
class Texture;

// Reads an image file into the texture (size, full mip chain) on the device. A stem
// ending in "_COL" also reads the "_NRM" and "_SPEC" companions beside it into the
// normal-specular texture. An unreadable image leaves the texture as it was and returns
// false; the reason is told through WarnContent. An image the device cannot hold
// (larger than its texture size limit) also leaves it as it was and raises ContentError
// naming the file. Without a device it raises std::logic_error naming the file.
bool LoadTexture(GfxDevice* device, Texture* texture, const std::filesystem::path& path);
