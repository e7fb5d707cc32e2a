#include "game/ui/UiMouse.h"

#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "render/SpriteCmp.h"

Vector2 InterfaceMouse() {
    return gInputManager != nullptr ? ScreenToLayer(DrawLayer::Ui, gInputManager->MousePosition) : Vector2();
}

bool InterfaceMouseIn(const GameObject* object) {
    return object != nullptr && object->Sprite != nullptr && object->Sprite->GetBounds().Contains(InterfaceMouse());
}
