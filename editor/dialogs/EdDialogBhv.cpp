#include "editor/dialogs/EdDialogBhv.h"

#include "editor/EdRootBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdLook.h"
#include "editor/widgets/IEdUiElement.h"
#include "object/GameObject.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"

namespace {

void SetAllFlags(GameObject* object, uint8_t on) {
    object->InputEnabled = on;
    object->UpdateEnabled = on;
    object->DrawEnabled = on;
}

}  // namespace

EdDialogBhv::EdDialogBhv() : KeyboardCapturer(this) {
    RegisterProperty(&Width, "Width");
}

void EdDialogBhv::Start() {
    const Vector2 screen(EdInput::ScreenWidth, EdInput::ScreenHeight);
    TopLeft = Vector2((screen.X - Width) * 0.5f, (screen.Y - NominalHeight) * 0.5f);
    GameObject* overlay = FindChild("Overlay");
    EdLook::SetSpriteSize(overlay, screen);
    EdLook::SetPosition(overlay, screen * 0.5f);
    Layout();
    MoveToDialogLayers(Owner);
    if (Owner != nullptr) {
        SetAllFlags(Owner, 0);
    }
}

void EdDialogBhv::Layout() {
    if (Owner == nullptr) {
        return;
    }
    float y = TopLeft.Y;
    for (GameObject* child : Owner->Children) {
        if (StackRow(child, y)) {
            continue;
        }
        // A child that is no row but holds rows (a picker's list) has them stacked in
        // its place.
        for (GameObject* grandchild : child->Children) {
            StackRow(grandchild, y);
        }
    }
}

bool EdDialogBhv::StackRow(GameObject* object, float& y) const {
    IEdUiElement* row = FindUiElement(object);
    if (row == nullptr) {
        return false;
    }
    row->SetRect(TopLeft.X, y, Width, row->Height);
    y += row->Height;
    return true;
}

void EdDialogBhv::Open() {
    if (Owner != nullptr) {
        SetAllFlags(Owner, 1);
    }
    SetPalettesInput(false);
}

void EdDialogBhv::Close() {
    if (Owner != nullptr) {
        SetAllFlags(Owner, 0);
    }
    SetPalettesInput(true);
}

bool EdDialogBhv::IsOpen() const {
    return Owner != nullptr && Owner->DrawEnabled != 0;
}

bool EdDialogBhv::HoldsKeyboard() const {
    return Owner != nullptr && IsDrawnInHierarchy(Owner);
}

void EdDialogBhv::SetPalettesInput(bool enabled) const {
    if (gEdRoot != nullptr && gEdRoot->PalettesRoot != nullptr) {
        gEdRoot->PalettesRoot->InputEnabled = enabled ? 1 : 0;
    }
}

void EdDialogBhv::MoveToDialogLayers(GameObject* object) {
    if (object == nullptr) {
        return;
    }
    for (Component* c : object->Components) {
        if (auto* sprite = dynamic_cast<SpriteCmp*>(c)) {
            sprite->Layer = DrawLayer::Editor2;
        } else if (auto* text = dynamic_cast<TextCmp*>(c)) {
            text->Layer = DrawLayer::EditorText2;
        }
    }
    for (GameObject* child : object->Children) {
        MoveToDialogLayers(child);
    }
}
