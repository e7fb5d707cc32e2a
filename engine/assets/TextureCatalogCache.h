#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "assets/Texture.h"

class TextureManager;

// A value found through the texture manager by name (a texture, a frame's texel), kept
// from frame to frame: found again only when the manager, the name or the texture
// catalogue (banks loaded or unloaded, frames read again) has changed since.
template <class T>
class TextureCatalogCache {
public:
    // find(manager, name) gives the value; the manager may be null.
    template <class Find>
    const T& Get(const TextureManager* manager, std::string_view name, Find&& find) {
        const uint64_t revision = TextureCatalogRevision();
        if (!mValid || manager != mManager || revision != mRevision || name != mName) {
            mValue = find(manager, name);
            mManager = manager;
            mRevision = revision;
            mName.assign(name);
            mValid = true;
        }
        return mValue;
    }

private:
    T mValue{};
    const TextureManager* mManager = nullptr;
    uint64_t mRevision = 0;
    std::string mName;
    bool mValid = false;
};
