#include "runtime/TextureOwnerLink.h"

#include <stdexcept>
#include <string>

#include "runtime/Graphics.h"

TextureOwnerLink::TextureOwnerLink(Graphics* graphics, TextureOwner* owner) : mGraphics(graphics), mOwner(owner) {
    if (mGraphics != nullptr) {
        mGraphics->AddTextureOwner(mOwner);
    }
}

TextureOwnerLink::~TextureOwnerLink() {
    if (mGraphics != nullptr) {
        mGraphics->RemoveTextureOwner(mOwner);
    }
}

std::function<bool(Texture& texture, const std::filesystem::path& path)> TextureOwnerLink::RendererLoader(
    const char* what) const {
    return [graphics = mGraphics, what](Texture& texture, const std::filesystem::path& path) {
        if (graphics == nullptr) {
            throw std::logic_error(path.string() + ": " + what + " load only through a renderer");
        }
        return graphics->LoadTexture(&texture, path);
    };
}
