#include "editor/tools/EdShapeEditorBhv.h"

#include <cmath>

#include "editor/EditorState.h"
#include "editor/level/EdLevelEditorBhv.h"
#include "editor/tools/EdCameraMoverBhv.h"
#include "editor/tools/EdToolFlags.h"
#include "editor/tools/ShapeHandles.h"
#include "editor/widgets/EdInput.h"
#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/PropertyRegistration.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureCmp.h"
#include "render/Graphics.h"

namespace {

TypedPropertyRegistration<std::string>* ShapeProperty(B2FixtureCmp* fixture) {
    return fixture != nullptr ? dynamic_cast<TypedPropertyRegistration<std::string>*>(fixture->FindProperty("Shape"))
                              : nullptr;
}

void ShowHandles(const std::vector<Vector2>& worldPoints, int highlighted) {
    if (gB2DebugDrawer != nullptr) {
        gB2DebugDrawer->Points = worldPoints;
        gB2DebugDrawer->SelectedPoint = highlighted;
    }
}

}  // namespace

EdShapeEditorBhv::EdShapeEditorBhv() : KeyboardCapturer(this) {}

EdShapeEditorBhv::~EdShapeEditorBhv() {
    if (gEditorState != nullptr && gEditorState->ShapeEditor == this) {
        gEditorState->ShapeEditor = nullptr;
        gEditorState->BeginShapeEditing = nullptr;
    }
}

void EdShapeEditorBhv::Start() {
    if (gEditorState != nullptr) {
        gEditorState->ShapeEditor = this;
        gEditorState->BeginShapeEditing = [this](IEditable* fixture) { Begin(fixture); };
    }
    SetToolObjectFlags(Owner, 0);
}

void EdShapeEditorBhv::ForgetObject(const GameObject* object) {
    // The fixture goes with its object: editing ends with nothing written.
    if (Fixture != nullptr && Fixture->Owner == object) {
        Stop();
    }
}

EdCameraMoverBhv* EdShapeEditorBhv::CameraMover() const {
    return Owner != nullptr ? Owner->GetComponent<EdCameraMoverBhv>() : nullptr;
}

void EdShapeEditorBhv::Begin(IEditable* component) {
    auto* fixture = dynamic_cast<B2FixtureCmp*>(component);
    if (Fixture != nullptr || fixture == nullptr || fixture->Owner == nullptr || ShapeProperty(fixture) == nullptr) {
        return;
    }
    const B2BodyCmp* body = fixture->Owner->GetComponent<B2BodyCmp>();
    if (body == nullptr) {
        return;
    }
    if (gEditorState != nullptr && gEditorState->LevelEditor != nullptr &&
        !gEditorState->LevelEditor->MayEditValue(*fixture->Owner, *fixture, "Shape")) {
        return;
    }
    BodyPosition = body->GetPos();
    const float angle = body->GetAngle();
    BodySin = std::sin(angle);
    BodyCos = std::cos(angle);
    Fixture = fixture;
    ShapeAtBegin = ShapeText();
    SetToolObjectFlags(Owner, 1);
    Dragging = 0;
    Highlighted = -1;
    if (gEditorState != nullptr) {
        gEditorState->ToolEngaged = 1;
    }
    if (gGraphics != nullptr) {
        SavedShowPhysics = gGraphics->ShowPhysics;
        gGraphics->ShowPhysics = 1;
    }
    Interface.Hide();
    if (EdCameraMoverBhv* camera = CameraMover()) {
        camera->Activate();
    }
}

void EdShapeEditorBhv::End(bool keep) {
    if (Fixture == nullptr) {
        return;
    }
    if (!keep) {
        SetShapeText(ShapeAtBegin);
    }
    B2FixtureCmp& fixture = *Fixture;
    const bool reshaped = ShapeText() != ShapeAtBegin;
    Stop();
    // A reshaped thing of the level is the level editor's to record, or to name when the
    // level does not keep its shape.
    if (reshaped && fixture.Owner != nullptr && gEditorState != nullptr && gEditorState->LevelEditor != nullptr) {
        gEditorState->LevelEditor->OnThingValueEdited(*fixture.Owner, fixture, "Shape");
    }
}

void EdShapeEditorBhv::Stop() {
    Fixture = nullptr;
    Dragging = 0;
    Highlighted = -1;
    SetToolObjectFlags(Owner, 0);
    ShowHandles({}, -1);
    if (gEditorState != nullptr) {
        gEditorState->ToolEngaged = 0;
    }
    if (EdCameraMoverBhv* camera = CameraMover()) {
        camera->Deactivate();
    }
    if (gGraphics != nullptr) {
        gGraphics->ShowPhysics = SavedShowPhysics;
    }
    Interface.Show();
}

Vector2 EdShapeEditorBhv::ToLocal(Vector2 world) const {
    const float dx = world.X - BodyPosition.X;
    const float dy = world.Y - BodyPosition.Y;
    return {dx * BodyCos + dy * BodySin, -dx * BodySin + dy * BodyCos};
}

Vector2 EdShapeEditorBhv::ToWorld(Vector2 local) const {
    return {local.X * BodyCos - local.Y * BodySin + BodyPosition.X,
            local.X * BodySin + local.Y * BodyCos + BodyPosition.Y};
}

std::string EdShapeEditorBhv::ShapeText() const {
    const TypedPropertyRegistration<std::string>* shape = ShapeProperty(Fixture);
    return shape != nullptr ? shape->Get() : std::string();
}

void EdShapeEditorBhv::SetShapeText(const std::string& text) {
    if (TypedPropertyRegistration<std::string>* shape = ShapeProperty(Fixture)) {
        shape->Set(text);
    }
}

// The edit ends at its key, so a chord struck after it in the same pass finds the
// keyboard free, and one struck before it does not.
void EdShapeEditorBhv::CaptureStroke(const KeyStroke& stroke) {
    if (Fixture == nullptr) {
        return;
    }
    if (EdInput::IsPress(stroke, Key::Esc)) {
        End(false);
    } else if (EdInput::IsPress(stroke, Key::OemEnter)) {
        End(true);
    }
}

void EdShapeEditorBhv::HandleInput() {
    if (Fixture == nullptr) {
        return;
    }
    Dragging = EdInput::IsDown(Key::LeftMouse) && Highlighted >= 0 ? 1 : 0;
    // Handles are kept in the body frame so that an untouched shape writes back the same
    // text; a text that does not parse gives none and is left alone.
    const std::string current = ShapeText();
    ShapeHandles handles(current);
    const Vector2 mouseWorld =
        gInputManager != nullptr ? ScreenToLayer(DrawLayer::Foreground, gInputManager->MousePosition) : Vector2();
    const Vector2 mouse = ToLocal(mouseWorld);
    if (Dragging != 0) {
        handles.Move(Highlighted, mouse);
    } else {
        Highlighted = handles.Nearest(mouse);
    }
    if (handles.IsPolygon()) {
        if (EdInput::IsPressed(Key::Insert)) {
            handles.Insert(Highlighted, mouse);
            Highlighted = Highlighted + 1;
        }
        if (EdInput::IsPressed(Key::Delete) && handles.Points().size() > 3) {
            handles.Delete(Highlighted);
            Highlighted = Highlighted > 0 ? Highlighted - 1 : Highlighted;
        }
    }
    // An edit Box2D cannot build gives no text: the last valid shape stays.
    const std::string rebuilt = handles.ToText();
    if (!rebuilt.empty() && rebuilt != current) {
        SetShapeText(rebuilt);
    }
    const ShapeHandles shown(ShapeText());
    std::vector<Vector2> worldPoints;
    for (const Vector2& p : shown.Points()) {
        worldPoints.push_back(ToWorld(p));
    }
    if (Highlighted >= static_cast<int>(worldPoints.size())) {
        Highlighted = static_cast<int>(worldPoints.size()) - 1;
    }
    ShowHandles(worldPoints, Highlighted);
}
