#include "assets/TextureBank.h"

#include "assets/Texture.h"

TextureBank::~TextureBank() = default;

Texture* TextureBank::Find(const std::string& name) const {
    const auto found = Textures.find(name);
    return found != Textures.end() ? found->second.get() : nullptr;
}

Texture* TextureBank::Add(std::unique_ptr<Texture> texture) {
    std::unique_ptr<Texture>& slot = Textures[texture->Name];
    slot = std::move(texture);
    MarkTextureCatalogChanged();
    return slot.get();
}

void TextureBank::ForEachTexture(const std::function<void(Texture&)>& visit) const {
    for (const auto& entry : Textures) {
        visit(*entry.second);
    }
}
