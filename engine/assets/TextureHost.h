#pragma once

class GfxDevice;
class TextureOwner;

// What textures need of the renderer: the device images are made on, and its list of
// owners whose textures it reads again after a display change. The renderer implements
// it, so that assets never include the renderer.
class TextureHost {
public:
    virtual ~TextureHost() = default;

    // Null while the renderer has no device.
    virtual GfxDevice* TextureDevice() const = 0;
    virtual void AddTextureOwner(TextureOwner* owner) = 0;
    virtual void RemoveTextureOwner(TextureOwner* owner) = 0;
};
