#include "render/SpriteCmp.h"

#include "object/GameObject.h"

#include <cmath>

#include "assets/Texture.h"
#include "object/GameObject.h"
#include "object/MissingContent.h"
#include "object/ObjectPicking.h"

SpriteCmp::SpriteCmp() {
    RegisterProperty(&Size, "Size");
    RegisterProperty(&Origin, "Origin");
    RegisterProperty(&Layer, "Layer");
    RegisterProxyProperty(this, &SpriteCmp::GetImageName, &SpriteCmp::SetImageName, "ImageName");
    RegisterProxyProperty(this, &SpriteCmp::GetTexture, &SpriteCmp::SetTexture, "Tex");
}

void SpriteCmp::InstallPickingHooks() {
    gPickingHooks.SpriteBounds = [](const SpriteCmp* sprite) { return sprite->GetBounds(); };
    gPickingHooks.SpriteTrim = [](const SpriteCmp* sprite) { return sprite->TrimRect; };
    gPickingHooks.SpriteLayer = [](const SpriteCmp* sprite) { return sprite->Layer; };
}

void SpriteCmp::KeepFrameNames(GameObject* object, const ::Texture* texture, bool save) {
    SpriteCmp* sprite = object->Sprite;
    if (sprite != nullptr && sprite->Texture == texture) {
        if (save) {
            sprite->SaveFrameName();
        } else {
            sprite->RestoreFrameName();
        }
    }
    for (size_t i = 0; i < object->Children.size(); ++i) {
        KeepFrameNames(object->Children[i], texture, save);
    }
}

void SpriteCmp::SetFrame(int index) {
    if (Texture == nullptr) {
        return;
    }
    // All four frame lists run in parallel; check each one the frame is read from.
    const bool valid = index >= 0 && index < Texture->GetFrameCount() &&
                       static_cast<size_t>(index) < Texture->FrameRects.size() &&
                       static_cast<size_t>(index) < Texture->FrameTrims.size();
    FrameIndex = valid ? index : -1;
    UvRect = valid ? Texture->FrameRects[index] : WholeTexture;
    TrimRect = valid ? Texture->FrameTrims[index] : WholeTexture;
}

void SpriteCmp::SetImage(const std::string& frameName) {
    if (Texture != nullptr) {
        const int index = Texture->GetFrameIndex(frameName);
        if (index < 0 && !frameName.empty()) {
            const std::string asker = DescribeRequester("SpriteCmp", Owner != nullptr ? Owner->Name : "");
            WarnMissingContent("frame", Texture->Name + "/" + frameName, ScopedContentRequester::Describe(asker));
        }
        SetFrame(index);
    }
}

Rect SpriteCmp::GetBounds() const {
    const Vector2 p = Owner != nullptr ? Owner->GetPos() : Vector2();
    const Vector2 h(std::fabs(Size.X) / 2.0f, std::fabs(Size.Y) / 2.0f);
    const Vector2 min = p - h - Origin;
    const Vector2 max = p + h - Origin;
    return Rect(min.X, min.Y, max.X - min.X, max.Y - min.Y);
}

std::string SpriteCmp::GetImageName() const {
    if (Texture == nullptr) {
        return mStoredImageName.value_or("");
    }
    // The index may be stale when the texture changed under the sprite.
    if (FrameIndex >= 0 && FrameIndex < Texture->GetFrameCount()) {
        return Texture->FrameNames[FrameIndex];
    }
    return "";
}

void SpriteCmp::SetImageName(const std::string& frameName) {
    if (Texture != nullptr) {
        SetImage(frameName);
    } else {
        mStoredImageName = frameName;
    }
}

void SpriteCmp::SetTexture(::Texture* texture) {
    Texture = texture;
    if (Texture != nullptr && mStoredImageName) {
        SetImage(*mStoredImageName);
        mStoredImageName.reset();
    }
}

void SpriteCmp::SaveFrameName() {
    if (Texture != nullptr && FrameIndex >= 0 && FrameIndex < Texture->GetFrameCount()) {
        mStoredImageName = Texture->FrameNames[FrameIndex];
    }
}

void SpriteCmp::RestoreFrameName() {
    if (mStoredImageName) {
        SetImage(*mStoredImageName);
        mStoredImageName.reset();
    }
}
