#include "object/ObjectPicking.h"

#include "object/GameObject.h"

PickingHooks gPickingHooks;

namespace {

bool UsesWorldCamera(DrawLayer layer) {
    switch (layer) {
        case DrawLayer::Background:
        case DrawLayer::ForegroundLit:
        case DrawLayer::SpriteLights:
        case DrawLayer::Foreground:
        case DrawLayer::ForegroundAdd: return true;
        default: return false;
    }
}

bool UsesUiCamera(DrawLayer layer) {
    switch (layer) {
        case DrawLayer::Ui:
        case DrawLayer::UiText:
        case DrawLayer::Editor:
        case DrawLayer::EditorText:
        case DrawLayer::Editor2:
        case DrawLayer::EditorText2: return true;
        default: return false;
    }
}

struct PickShape {
    Rect Area;
    DrawLayer Layer = DrawLayer::None;
};

// The rectangle and layer that picking tests for an object, if it has one.
bool FindPickShape(const GameObject* o, Vector2 pos, PickShape* shape) {
    const PickingHooks& hooks = gPickingHooks;
    if (o->Sprite != nullptr) {
        if (hooks.SpriteBounds == nullptr || hooks.SpriteTrim == nullptr || hooks.SpriteLayer == nullptr) {
            return false;
        }
        const Rect b = hooks.SpriteBounds(o->Sprite);
        const Rect t = hooks.SpriteTrim(o->Sprite);
        shape->Area = Rect(b.X + t.X * b.Width, b.Y + t.Y * b.Height, b.Width * t.Width, b.Height * t.Height);
        shape->Layer = hooks.SpriteLayer(o->Sprite);
        return true;
    }
    if (hooks.TextLastRect == nullptr || hooks.TextLayer == nullptr) {
        return false;
    }
    const Rect r = hooks.TextLastRect(o->Text);
    shape->Area = Rect(r.X + pos.X, r.Y + pos.Y, r.Width, r.Height);
    shape->Layer = hooks.TextLayer(o->Text);
    return true;
}

void TestPick(GameObject* o, GameObject** hit, Vector2 screenPoint) {
    const Vector2 pos = o->GetPos();
    PickShape shape;
    if (!FindPickShape(o, pos, &shape)) {
        return;
    }
    // Backgrounds and lights fill the screen: they would hide everything else.
    if (shape.Layer == DrawLayer::Background || shape.Layer == DrawLayer::SpriteLights) {
        return;
    }
    const Vector2 q = ScreenToLayer(shape.Layer, screenPoint);
    const Vector2 local = Vector2::Rotate(q - pos, -o->GetRotation()) + pos;
    if (shape.Area.Contains(local)) {
        *hit = o;
    }
}

}  // namespace

Vector2 ScreenToLayer(DrawLayer layer, Vector2 screenPoint) {
    if (UsesWorldCamera(layer) && gPickingHooks.WorldScreenToWorld != nullptr) {
        return gPickingHooks.WorldScreenToWorld(screenPoint);
    }
    if (UsesUiCamera(layer) && gPickingHooks.UiScreenToWorld != nullptr) {
        return gPickingHooks.UiScreenToWorld(screenPoint);
    }
    return screenPoint;
}

void PickObjectAt(GameObject* root, GameObject** hit, Vector2 screenPoint,
                  const std::function<bool(GameObject*)>& filter) {
    if (!root->DrawEnabled) {
        return;
    }
    if ((root->Sprite != nullptr || root->Text != nullptr) && (!filter || filter(root))) {
        TestPick(root, hit, screenPoint);
    }
    for (size_t i = 0; i < root->Children.size(); ++i) {
        PickObjectAt(root->Children[i], hit, screenPoint, filter);
    }
}

void CollectSpritesInRect(GameObject* root, const Rect& area, std::vector<SpriteCmp*>& out) {
    if (!root->DrawEnabled) {
        return;
    }
    if (root->Sprite != nullptr && gPickingHooks.SpriteBounds != nullptr) {
        const Rect b = gPickingHooks.SpriteBounds(root->Sprite);
        const Vector2 corners[] = {
            {b.X, b.Y}, {b.X, b.Y + b.Height}, {b.X + b.Width, b.Y}, {b.X + b.Width, b.Y + b.Height}};
        for (const Vector2& corner : corners) {
            if (area.Contains(corner)) {
                out.push_back(root->Sprite);
                break;
            }
        }
    }
    for (GameObject* child : root->Children) {
        CollectSpritesInRect(child, area, out);
    }
}
