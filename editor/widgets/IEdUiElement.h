#pragma once

#include "object/Rect.h"
#include "object/Vector2.h"

class GameObject;

// A row of the editor's interface: it asks for a height and is placed by its owner.
class IEdUiElement {
public:
    virtual ~IEdUiElement() = default;

    // The base only stores the rectangle; widgets then place their children.
    virtual void SetRect(float x, float y, float width, float height);

    // Left and top edges are inside, right and bottom edges are not.
    bool Contains(Vector2 point) const;

    float Height = 0.0f;
    ::Rect Rect;
};

// The first component of the object, in component order, that is a row; null when none.
IEdUiElement* FindUiElement(const GameObject* object);
// Whether x, y lies in r, with the same edge rule as IEdUiElement::Contains.
bool IsInsideRect(const ::Rect& r, Vector2 point);
