#pragma once

#include <cstdint>
#include <string>

#include "editor/KeyboardCapturer.h"
#include "editor/tools/EdToolFlags.h"
#include "object/Behavior.h"
#include "object/Vector2.h"

class B2FixtureCmp;
class EdCameraMoverBhv;
class GameObject;
class IEditable;

// Edits one fixture's "Shape" text with handles: drag the one nearest the mouse, Insert
// and Delete polygon vertices, Enter keeps, Esc restores the text of the start. Handles
// live in the body frame taken at the start; the fixture is rebuilt as the text changes.
// While it runs the physics outlines are drawn and the game's interface is not.
class EdShapeEditorBhv : public Behavior, public KeyboardCapturer {
public:
    EdShapeEditorBhv();
    ~EdShapeEditorBhv() override;

    void Start() override;
    void HandleInput() override;

    // Nothing unless component is a fixture whose object has a body.
    void Begin(IEditable* component);
    void End(bool keep);
    bool IsEditing() const { return Fixture != nullptr; }
    bool HoldsKeyboard() const override { return IsEditing(); }
    // Esc and Enter, in the order of the pass's keys.
    void CaptureStroke(const KeyStroke& stroke) override;
    // The object is going: editing its fixture ends.
    void ForgetObject(const GameObject* object);

    // The body frame of the start.
    Vector2 ToLocal(Vector2 world) const;
    Vector2 ToWorld(Vector2 local) const;

private:
    // Back to idle, the fixture left as it is.
    void Stop();
    std::string ShapeText() const;
    void SetShapeText(const std::string& text);
    EdCameraMoverBhv* CameraMover() const;

    B2FixtureCmp* Fixture = nullptr;
    uint8_t SavedShowPhysics = 0;
    HiddenInterface Interface;
    std::string ShapeAtBegin;
    Vector2 BodyPosition;
    float BodySin = 0.0f;
    float BodyCos = 1.0f;
    uint8_t Dragging = 0;
    int Highlighted = -1;
};
