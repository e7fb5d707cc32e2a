#include "editor/widgets/IEdUiElement.h"

#include "object/Component.h"
#include "object/GameObject.h"

void IEdUiElement::SetRect(float x, float y, float width, float height) {
    Rect = ::Rect{x, y, width, height};
}

bool IEdUiElement::Contains(Vector2 point) const {
    return IsInsideRect(Rect, point);
}

IEdUiElement* FindUiElement(const GameObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    for (Component* c : object->Components) {
        if (auto* element = dynamic_cast<IEdUiElement*>(c)) {
            return element;
        }
    }
    return nullptr;
}

bool IsInsideRect(const ::Rect& r, Vector2 point) {
    return r.X <= point.X && r.Y <= point.Y && point.X < r.X + r.Width && point.Y < r.Y + r.Height;
}
