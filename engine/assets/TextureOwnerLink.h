#pragma once

#include <filesystem>
#include <functional>

class Texture;
class TextureHost;
class TextureOwner;

// What an owner of textures (texture banks, font pages) keeps with the renderer: a place
// in its list of owners for as long as the link lives, so that a display change reads the
// owner's textures again, and the loader that reads images through it. Without a renderer
// the link registers nothing.
class TextureOwnerLink {
public:
    TextureOwnerLink(TextureHost* host, TextureOwner* owner);
    ~TextureOwnerLink();

    TextureOwnerLink(const TextureOwnerLink&) = delete;
    TextureOwnerLink& operator=(const TextureOwnerLink&) = delete;

    // Reads images through the renderer. Without one (programs that open no window) a
    // load raises std::logic_error naming the file and saying that `what` ("textures",
    // "font pages") load only through a renderer.
    std::function<bool(Texture& texture, const std::filesystem::path& path)> RendererLoader(const char* what) const;

private:
    TextureHost* mHost;
    TextureOwner* mOwner;
};
