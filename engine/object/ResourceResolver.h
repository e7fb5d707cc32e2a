#pragma once

#include <string>

class Texture;
class BitmapFont;

// How property text finds textures and fonts by name and names them. The runtime
// installs it once its texture manager and font registry exist; until then every
// resource reads as not found and writes as "".
struct ResourceResolver {
    Texture* (*FindTexture)(const std::string& name) = nullptr;
    std::string (*TextureName)(const Texture* texture) = nullptr;
    BitmapFont* (*FindFont)(const std::string& name) = nullptr;
    std::string (*FontName)(const BitmapFont* font) = nullptr;
};

extern ResourceResolver gResourceResolver;
