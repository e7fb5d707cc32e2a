#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "object/Component.h"
#include "object/DrawLayer.h"
#include "object/IEditable.h"
#include "object/Rect.h"
#include "object/Vector2.h"

class Texture;

// A textured quad drawn at its object's position: a size, an origin, a frame of an
// atlas texture and the layers it is drawn in.
//
// "ImageName" and "Tex" may be assigned in either order (prefab files assign
// "ImageName" first): a frame name given before the texture is kept and applied when
// the texture arrives.
class SpriteCmp : public Component, public IEditable {
public:
    static constexpr Rect WholeTexture{0.0f, 0.0f, 1.0f, 1.0f};

    SpriteCmp();

    // Lets the editor's picking (object model) read sprites' bounds, trims and layers.
    static void InstallPickingHooks();

    // Selects frame index of the texture: UvRect and TrimRect follow it. An index the
    // texture lacks selects the whole texture (FrameIndex -1). Nothing without a texture.
    void SetFrame(int index);
    // Selects the frame of that name; the whole texture when there is none.
    void SetImage(const std::string& frameName);
    // The untrimmed quad around the owner's position, ignoring rotation and trim.
    Rect GetBounds() const;

    // The current frame's name; without a texture, the name waiting for one.
    std::string GetImageName() const;
    void SetImageName(const std::string& frameName);
    ::Texture* GetTexture() const { return Texture; }
    // Stores the texture and applies a frame name that was waiting for it.
    void SetTexture(::Texture* texture);

    // Around an atlas reload: remembers the current frame's name, then selects the
    // frame of that name in the reloaded atlas.
    void SaveFrameName();
    void RestoreFrameName();
    // The same for every sprite under object (depth first) that shows the texture: save
    // remembers, otherwise restores. The texture manager's sheet reload calls it.
    static void KeepFrameNames(GameObject* object, const ::Texture* texture, bool save);

    Vector2 Size{1.0f, 1.0f};
    // Offset, in size units from the sprite's centre, of the point at the position.
    Vector2 Origin{0.0f, 0.0f};
    ::Texture* Texture = nullptr;
    // The frame in texture coordinates.
    Rect UvRect = WholeTexture;
    // Where the trimmed frame lies inside the untrimmed sprite, as fractions.
    Rect TrimRect = WholeTexture;
    DrawLayer Layer = DrawLayer::Background;
    int32_t FrameIndex = -1;

private:
    // A frame name waiting for a texture, or kept across an atlas reload.
    std::optional<std::string> mStoredImageName;
};
