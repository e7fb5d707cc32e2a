#include "assets/TextureOwnerLink.h"

#include <stdexcept>
#include <string>

#include "assets/TextureHost.h"
#include "assets/TextureLoader.h"

TextureOwnerLink::TextureOwnerLink(TextureHost* host, TextureOwner* owner) : mHost(host), mOwner(owner) {
    if (mHost != nullptr) {
        mHost->AddTextureOwner(mOwner);
    }
}

TextureOwnerLink::~TextureOwnerLink() {
    if (mHost != nullptr) {
        mHost->RemoveTextureOwner(mOwner);
    }
}

std::function<bool(Texture& texture, const std::filesystem::path& path)> TextureOwnerLink::RendererLoader(
    const char* what) const {
    return [host = mHost, what](Texture& texture, const std::filesystem::path& path) {
        if (host == nullptr) {
            throw std::logic_error(path.string() + ": " + what + " load only through a renderer");
        }
        return LoadTexture(host->TextureDevice(), &texture, path);
    };
}
