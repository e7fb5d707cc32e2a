#pragma once

#include <functional>

class Texture;

// Lists the textures an owner keeps (texture banks, font pages), so that the renderer
// can read them again from their files after a display change.
class TextureOwner {
public:
    virtual ~TextureOwner() = default;
    virtual void ForEachTexture(const std::function<void(Texture&)>& visit) = 0;
};
