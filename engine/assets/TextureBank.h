#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

class Texture;

// The textures of one bank folder, by name. Owns them.
class TextureBank {
public:
    TextureBank() = default;
    virtual ~TextureBank();

    TextureBank(const TextureBank&) = delete;
    TextureBank& operator=(const TextureBank&) = delete;

    // The texture of that name, or null.
    Texture* Find(const std::string& name) const;
    // Stores the texture under its Name; a texture already stored under that name is
    // deleted (nothing outside the bank can hold it yet while the bank loads).
    Texture* Add(std::unique_ptr<Texture> texture);
    void ForEachTexture(const std::function<void(Texture&)>& visit) const;

    std::map<std::string, std::unique_ptr<Texture>> Textures;
};
