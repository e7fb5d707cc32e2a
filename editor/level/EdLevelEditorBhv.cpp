#include "editor/level/EdLevelEditorBhv.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/widgets/EdInput.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/DrawLayer.h"
#include "object/GameObject.h"
#include "object/ObjectPicking.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"
#include "object/Rect.h"
#include "object/ThingCmp.h"
#include "render/SpriteCmp.h"

namespace {

constexpr const char* kEditorIcon = "EditorIcon";
constexpr const char* kIndicatorPrefab = "EdSelectionIndicator";
// The indicator of a thing with no sprite at all, rather than a stale size.
const Vector2 kNoExtentSize(1.0f, 1.0f);

// Screen points through the world camera (any world layer converts the same way).
Vector2 ScreenToWorld(Vector2 screenPoint) {
    return ScreenToLayer(DrawLayer::Foreground, screenPoint);
}

// The thing that a click or a box on this object selects, or null. A thing with an
// editor icon is picked by its icon only (a level-sized light or background would
// otherwise swallow every click), one with a sprite by that sprite (not by the glow
// around it), and one with neither (a centipede) by its parts.
GameObject* ThingOf(GameObject* object) {
    bool inIcon = false;
    for (GameObject* o = object; o != nullptr; o = o->Parent) {
        if (o->Thing == nullptr) {
            inIcon = inIcon || o->Name == kEditorIcon;
            continue;
        }
        if (o->FindChild(kEditorIcon) != nullptr) {
            return inIcon ? o : nullptr;
        }
        return o == object || o->Sprite == nullptr ? o : nullptr;
    }
    return nullptr;
}

bool StandsForThing(GameObject* object) {
    return ThingOf(object) != nullptr;
}

// The sprite that shows a thing's extent: its icon's, its own, else its first part's.
const SpriteCmp* ExtentSprite(const GameObject& thing) {
    if (const GameObject* icon = thing.FindChild(kEditorIcon); icon != nullptr && icon->Sprite != nullptr) {
        return icon->Sprite;
    }
    if (thing.Sprite != nullptr) {
        return thing.Sprite;
    }
    for (const GameObject* part : thing.Children) {
        if (part->Sprite != nullptr) {
            return part->Sprite;
        }
    }
    return nullptr;
}

void NotifyChanged(const GameObject& thing) {
    if (thing.Thing != nullptr) {
        thing.Thing->NotifyChanged();
    }
}

void MoveThingTo(GameObject& thing, Vector2 pos) {
    thing.SetPos(pos);
    NotifyChanged(thing);
}

// The level group that things of the prefab go to, read from its data: making one to
// ask would start its behaviours (a player would take over gPlayer).
const GameObject* GroupForPrefab(const Prefab& prefab) {
    int32_t layer = 0;
    bool isMutable = false;
    for (const auto& component : prefab.Components) {
        if (component->TypeName != "ThingCmp") {
            continue;
        }
        if (const PropertyRegistration* value = component->FindProperty("Layer")) {
            layer = value->MakeSubProperty("Layer", 0).GetValue<int32_t>();
        }
        if (const PropertyRegistration* value = component->FindProperty("IsMutable")) {
            isMutable = value->MakeSubProperty("IsMutable", 0).GetValue<bool>();
        }
    }
    return gGameplayScreen != nullptr ? gGameplayScreen->FindLevelGroup(layer, isMutable) : nullptr;
}

bool IsMouseOverPalette() {
    return gEditorState != nullptr && gEditorState->MouseOverPalette != 0;
}

}  // namespace

GameObject* FindEditedLevel() {
    if (gGameplayScreen == nullptr || gGameplayScreen->Owner == nullptr) {
        return nullptr;
    }
    return gGameplayScreen->Owner->FindChild("Level");
}

EdLevelEditorBhv::EdLevelEditorBhv() : KeyTaker(this) {}

EdLevelEditorBhv::~EdLevelEditorBhv() {
    if (gEditorState != nullptr && gEditorState->LevelEditor == this) {
        gEditorState->LevelEditor = nullptr;
        gEditorLink.HasUnsavedEdits = nullptr;
        gEditorLink.ResetHistory = nullptr;
    }
}

void EdLevelEditorBhv::Start() {
    if (gPrefabManager != nullptr) {
        auto& slot = gPrefabManager->Prefabs[EdPalMainBhv::SourcesPrefab];
        if (slot == nullptr) {
            slot = std::make_unique<Prefab>();
            slot->Name = EdPalMainBhv::SourcesPrefab;
        }
    }
    mSelectionRoot = new GameObject();
    mSelectionRoot->Name = "SelectionRoot";
    Owner->AddChild(mSelectionRoot);
    if (gEditorState == nullptr) {
        return;
    }
    gEditorState->LevelEditor = this;
    gEditorLink.HasUnsavedEdits = [] {
        return gEditorState != nullptr && gEditorState->LevelEditor != nullptr && gEditorState->LevelEditor->Dirty != 0;
    };
    gEditorLink.ResetHistory = [] {
        if (gEditorState != nullptr && gEditorState->LevelEditor != nullptr) {
            gEditorState->LevelEditor->ResetHistory();
        }
    };
    // A level loaded before the editor came has no history yet.
    if (FindEditedLevel() != nullptr) {
        ResetHistory();
    }
}

// Looked up at each use: the prefab list may delete the prefab.
const Prefab& EdLevelEditorBhv::Sources() {
    static const Prefab kNone;
    const Prefab* sources =
        gPrefabManager != nullptr ? gPrefabManager->FindPrefab(EdPalMainBhv::SourcesPrefab) : nullptr;
    return sources != nullptr ? *sources : kNone;
}

void EdLevelEditorBhv::AddToSelection(GameObject* object) {
    if (object != nullptr && std::find(Selection.begin(), Selection.end(), object) == Selection.end()) {
        Selection.push_back(object);
    }
}

void EdLevelEditorBhv::ForgetObject(const GameObject* object) {
    for (size_t i = Selection.size(); i-- > 0;) {
        if (Selection[i] == object) {
            EraseFromSelection(i);
        }
    }
    if (object == mSelectionRoot) {
        mSelectionRoot = nullptr;
    }
}

void EdLevelEditorBhv::DropDestroyedFromSelection() {
    for (size_t i = Selection.size(); i-- > 0;) {
        for (const GameObject* o = Selection[i]; o != nullptr; o = o->Parent) {
            if (o->PendingDestroy) {
                EraseFromSelection(i);
                break;
            }
        }
    }
}

// A move or turn keeps each thing's saved place beside it, so Esc puts the rest back
// where they were, not where a vanished neighbour was.
void EdLevelEditorBhv::EraseFromSelection(size_t index) {
    const auto at = static_cast<std::ptrdiff_t>(index);
    if (mSavedPositions.size() == Selection.size() && mSavedRotations.size() == Selection.size()) {
        mSavedPositions.erase(mSavedPositions.begin() + at);
        mSavedRotations.erase(mSavedRotations.begin() + at);
    }
    Selection.erase(Selection.begin() + at);
}

void EdLevelEditorBhv::BeginTransform() {
    mSavedPositions.clear();
    mSavedRotations.clear();
    mPivot = Vector2();
    for (const GameObject* thing : Selection) {
        mSavedRotations.push_back(thing->GetRotation());
        mSavedPositions.push_back(thing->GetPos());
        mPivot += thing->GetPos();
    }
    if (!Selection.empty()) {
        mPivot /= static_cast<float>(Selection.size());
    }
}

// --- Indicators ---

void EdLevelEditorBhv::Update() {
    DropDestroyedFromSelection();
    if (FindEditedLevel() == nullptr) {
        Selection.clear();
    }
    UpdateIndicators();
}

void EdLevelEditorBhv::UpdateIndicators() {
    if (mSelectionRoot == nullptr || gPrefabManager == nullptr ||
        gPrefabManager->FindPrefab(kIndicatorPrefab) == nullptr) {
        return;
    }
    while (mSelectionRoot->Children.size() < Selection.size() + 1) {
        mSelectionRoot->AddChild(new GameObject(kIndicatorPrefab));
    }
    for (size_t i = 0; i < mSelectionRoot->Children.size(); ++i) {
        GameObject& indicator = *mSelectionRoot->Children[i];
        indicator.DrawEnabled = i < Selection.size() ? 1 : 0;
        if (i >= Selection.size()) {
            continue;
        }
        const GameObject& thing = *Selection[i];
        if (indicator.Sprite != nullptr) {
            const SpriteCmp* extent = ExtentSprite(thing);
            indicator.Sprite->Size = extent != nullptr ? extent->Size : kNoExtentSize;
        }
        indicator.SetPos(thing.GetPos());
        indicator.SetRotation(thing.GetRotation());
    }
    if (mToolMode == Tool::BoxDragging) {
        ShowBoxIndicator(*mSelectionRoot->Children[Selection.size()]);
    }
}

void EdLevelEditorBhv::ShowBoxIndicator(GameObject& indicator) const {
    indicator.DrawEnabled = 1;
    indicator.SetPos((mBoxStart + mBoxEnd) / 2.0f);
    indicator.SetRotation(0.0f);
    if (indicator.Sprite != nullptr) {
        indicator.Sprite->Size = Vector2(std::fabs(mBoxEnd.X - mBoxStart.X), std::fabs(mBoxEnd.Y - mBoxStart.Y));
    }
}

// --- Keys and mouse ---

// The strokes came first, dealt out by the editor root; what is left goes with the mouse.
void EdLevelEditorBhv::HandleInput() {
    DropDestroyedFromSelection();
    const bool begunThisPass = std::exchange(mToolBegunThisPass, false);
    mNudgeStrokesTaken = 0;
    if (FindEditedLevel() == nullptr || gInputManager == nullptr ||
        (gEditorState != nullptr && gEditorState->KeyboardCaptured != 0)) {
        return;
    }
    const Vector2 mouse = ScreenToWorld(gInputManager->MousePosition);
    const Vector2 previous = ScreenToWorld(gInputManager->MousePositionPrevious);
    switch (mToolMode) {
        case Tool::Move:
            if (!begunThisPass) {
                MoveSelection(mouse, previous);
            }
            return;
        case Tool::Rotate:
            if (!begunThisPass) {
                TurnSelection(mouse, previous);
            }
            return;
        case Tool::BoxDragging: DragBox(mouse); return;
        case Tool::BoxFirstCorner:
        case Tool::None: return;
    }
}

void EdLevelEditorBhv::TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) {
    DropDestroyedFromSelection();
    if (FindEditedLevel() == nullptr) {
        return;
    }
    switch (mToolMode) {
        case Tool::Move:
        case Tool::Rotate: EndTransformOnStroke(stroke); return;
        case Tool::BoxFirstCorner:
            if (EdInput::IsPress(stroke, Key::Esc)) {
                mToolMode = Tool::None;
            } else if (IsConfirm(stroke)) {
                mBoxStart = mBoxEnd = ScreenToWorld(stroke.Mouse);
                mToolMode = Tool::BoxDragging;
            }
            return;
        case Tool::BoxDragging:
            if (EdInput::IsPress(stroke, Key::Esc)) {
                mToolMode = Tool::None;
            }
            return;
        case Tool::None: TakeIdleStroke(stroke, after); return;
    }
}

bool EdLevelEditorBhv::IsConfirm(const KeyStroke& stroke) {
    const bool click = EdInput::IsPress(stroke, Key::LeftMouse) || EdInput::IsPress(stroke, Key::RightMouse);
    return (click && !IsMouseOverPalette()) || EdInput::IsPress(stroke, Key::OemEnter);
}

void EdLevelEditorBhv::EndTransformOnStroke(const KeyStroke& stroke) {
    if (EdInput::IsPress(stroke, Key::Esc)) {
        CancelTransform();
        mToolMode = Tool::None;
    } else if (IsConfirm(stroke)) {
        mToolMode = Tool::None;
        PushHistory();
    }
}

// Esc undoes a move or turn; the move of fresh duplicates drops them instead.
void EdLevelEditorBhv::CancelTransform() {
    if (mToolMode == Tool::Move && mMovingDuplicates) {
        for (GameObject* copy : Selection) {
            copy->DetachAndDestroy();
        }
        Selection.clear();
        return;
    }
    for (size_t i = 0; i < Selection.size() && i < mSavedPositions.size(); ++i) {
        Selection[i]->SetRotation(mSavedRotations[i]);
        MoveThingTo(*Selection[i], mSavedPositions[i]);
    }
}

void EdLevelEditorBhv::MoveSelection(Vector2 mouse, Vector2 previous) {
    const Vector2 step = mouse - previous;
    for (GameObject* thing : Selection) {
        MoveThingTo(*thing, thing->GetPos() + step);
    }
}

void EdLevelEditorBhv::TurnSelection(Vector2 mouse, Vector2 previous) {
    const Vector2 now = mouse - mPivot;
    const Vector2 before = previous - mPivot;
    const float angle = std::atan2(now.Y, now.X) - std::atan2(before.Y, before.X);
    for (GameObject* thing : Selection) {
        thing->SetRotation(thing->GetRotation() + angle);
        MoveThingTo(*thing, Vector2::Rotate(thing->GetPos() - mPivot, angle) + mPivot);
    }
}

// The box follows the mouse until the click or Enter that began it is let go.
void EdLevelEditorBhv::DragBox(Vector2 mouse) {
    mBoxEnd = mouse;
    if (EdInput::IsDown(Key::LeftMouse) || EdInput::IsDown(Key::RightMouse) || EdInput::IsDown(Key::OemEnter)) {
        return;
    }
    SelectBox();
    mToolMode = Tool::None;
}

void EdLevelEditorBhv::SelectBox() {
    GameObject* level = FindEditedLevel();
    const Rect area(std::min(mBoxStart.X, mBoxEnd.X), std::min(mBoxStart.Y, mBoxEnd.Y),
                    std::fabs(mBoxEnd.X - mBoxStart.X), std::fabs(mBoxEnd.Y - mBoxStart.Y));
    std::vector<SpriteCmp*> sprites;
    CollectSpritesInRect(level, area, sprites);
    for (const SpriteCmp* sprite : sprites) {
        GameObject* object = sprite->Owner;
        if (GameObject* thing = ThingOf(object)) {
            AddToSelection(thing);
        }
    }
}

void EdLevelEditorBhv::BeginTool(Tool tool) {
    if (Selection.empty() || !MayEditAll(Selection)) {
        return;
    }
    mToolMode = tool;
    mMovingDuplicates = false;
    BeginTransform();
    mToolBegunThisPass = true;
}

void EdLevelEditorBhv::TakeIdleStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) {
    // Moves, turns, reorders and the like act on a press; a held arrow, bracket or Z
    // repeats.
    const bool press = !stroke.Repeat;
    switch (static_cast<Key>(stroke.Key)) {
        case Key::G:
            // Ctrl+G belongs to the sprite mover.
            if (press && !stroke.Ctrl) {
                BeginTool(Tool::Move);
            }
            return;
        case Key::R:
            if (press) {
                BeginTool(Tool::Rotate);
            }
            return;
        case Key::B:
            if (press) {
                mToolMode = Tool::BoxFirstCorner;
            }
            return;
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down: Nudge(stroke, after); return;
        case Key::F:
            // Ctrl+F belongs to the editor camera.
            if (press && !stroke.Ctrl) {
                Reorder(stroke.Shift);
            }
            return;
        case Key::LeftBracket:
        case Key::RightBracket:
            if (!stroke.Ctrl) {
                CycleSources(stroke.Key == KeyCode(Key::LeftBracket) ? -1 : 1);
            }
            return;
        default: break;
    }
    if (press) {
        TakeIdlePress(stroke);
    }
    TakeHistoryStroke(stroke);
}

void EdLevelEditorBhv::TakeIdlePress(const KeyStroke& stroke) {
    switch (static_cast<Key>(stroke.Key)) {
        case Key::LeftMouse:
            if (!IsMouseOverPalette()) {
                PlaceSource(ScreenToWorld(stroke.Mouse));
            }
            return;
        case Key::RightMouse:
            if (!IsMouseOverPalette()) {
                PickAt(stroke);
            }
            return;
        case Key::D:
            if (stroke.Shift && !Selection.empty() && MayEditAll(Selection)) {
                Duplicate();
            }
            return;
        case Key::Delete:
        case Key::X: DeleteSelection(); return;
        case Key::A: ToggleSelectAll(); return;
        case Key::PageUp: AskSaveAndSwitch(-1); return;
        case Key::PageDown: AskSaveAndSwitch(1); return;
        default: return;
    }
}

// Each arrow struck nudges once, however many one pass takes. The held arrows typing
// again in a pass make one step together (a held diagonal moves diagonally), so Left and
// Right held together cancel; the repeats after the first were taken with it.
void EdLevelEditorBhv::Nudge(const KeyStroke& stroke, std::span<const KeyStroke> after) {
    if (mNudgeStrokesTaken > 0) {
        --mNudgeStrokesTaken;
        return;
    }
    std::vector<KeyStroke> run{stroke};
    for (const KeyStroke& next : after) {
        if (!stroke.Repeat || !next.Repeat || !EdInput::IsArrow(next.Key)) {
            break;
        }
        run.push_back(next);
    }
    mNudgeStrokesTaken = static_cast<int>(run.size()) - 1;
    const Vector2 d = EdInput::NudgeOf(run);
    if (d == Vector2() || Selection.empty() || !MayEditAll(Selection)) {
        return;
    }
    const Vector2 step = ScreenToWorld(d) - ScreenToWorld(Vector2());
    for (GameObject* thing : Selection) {
        MoveThingTo(*thing, thing->GetPos() + step);
    }
    // One edit, however many things it moved: one undo step.
    PushHistory();
}

void EdLevelEditorBhv::Reorder(bool toFront) {
    if (!MayEditAll(Selection)) {
        return;
    }
    for (GameObject* thing : Selection) {
        if (toFront) {
            thing->MoveToFirst();
        } else {
            thing->MoveToLast();
        }
    }
    if (!Selection.empty()) {
        PushHistory();
    }
}

void EdLevelEditorBhv::CycleSources(int step) {
    const Prefab& sources = Sources();
    if (sources.AutoCreates.empty() || gEditorState == nullptr) {
        return;
    }
    const auto& entries = sources.AutoCreates;
    const int count = static_cast<int>(entries.size());
    int index = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[static_cast<size_t>(i)]->Prefab == gEditorState->SelectedName) {
            index = i;
            break;
        }
    }
    index = (index + step + count) % count;
    gEditorState->SelectedName = entries[static_cast<size_t>(index)]->Prefab;
    if (gEditorState->SelectedPrefab != nullptr && gPrefabManager != nullptr) {
        if (Prefab* prefab = gPrefabManager->FindPrefab(gEditorState->SelectedName)) {
            gEditorState->SelectPrefab(prefab);
        }
    }
}

void EdLevelEditorBhv::PlaceSource(Vector2 mouse) {
    const EdPalMainBhv* palette = gEditorState != nullptr ? gEditorState->MainPalette : nullptr;
    if (palette == nullptr || palette->GetInsertPrefabName().empty() || gGameplayScreen == nullptr ||
        gPrefabManager == nullptr) {
        return;
    }
    const Prefab* prefab = gPrefabManager->FindPrefab(gEditorState->SelectedName);
    if (prefab == nullptr) {
        return;
    }
    const GameObject* group = GroupForPrefab(*prefab);
    if (group != nullptr && !MayEdit(*group)) {
        return;
    }
    auto* thing = new GameObject(gEditorState->SelectedName);
    thing->SetPos(mouse);
    gGameplayScreen->AddToLevel(thing);
    PushHistory();
    Selection.clear();
    if (!thing->PendingDestroy) {
        Selection.push_back(thing);
    }
}

// A click picks where it was made, Shift as it was then adding or removing.
void EdLevelEditorBhv::PickAt(const KeyStroke& click) {
    GameObject* hit = nullptr;
    PickObjectAt(FindEditedLevel(), &hit, click.Mouse, StandsForThing);
    hit = ThingOf(hit);
    if (!click.Shift) {
        Selection.clear();
        AddToSelection(hit);
        return;
    }
    if (hit == nullptr) {
        return;
    }
    const auto found = std::find(Selection.begin(), Selection.end(), hit);
    if (found != Selection.end()) {
        Selection.erase(found);
    } else {
        Selection.push_back(hit);
    }
}

void EdLevelEditorBhv::Duplicate() {
    if (gGameplayScreen == nullptr) {
        return;
    }
    std::vector<GameObject*> copies;
    for (const GameObject* thing : Selection) {
        const Prefab* prefab = gPrefabManager != nullptr ? gPrefabManager->FindPrefab(thing->PrefabName) : nullptr;
        if (prefab == nullptr) {
            continue;
        }
        // The copy carries what a level stores per thing (a light's tint, a pickup's
        // ammunition), not the prefab's defaults.
        const PrefabComponentList properties = RecordThingProperties(*thing, Sources());
        auto* copy = new GameObject();
        copy->Name = thing->PrefabName;
        prefab->Instantiate(copy, &properties);
        copy->SetPos(thing->GetPos());
        copy->SetRotation(thing->GetRotation());
        if (copy->Sprite != nullptr && thing->Sprite != nullptr) {
            copy->Sprite->Size = thing->Sprite->Size;
        }
        gGameplayScreen->AddToLevel(copy);
        if (!copy->PendingDestroy) {
            copies.push_back(copy);
        }
    }
    Selection = std::move(copies);
    BeginTransform();
    mToolMode = Tool::Move;
    mMovingDuplicates = true;
}

void EdLevelEditorBhv::DeleteSelection() {
    if (!MayEditAll(Selection)) {
        return;
    }
    const bool any = !Selection.empty();
    const std::vector<GameObject*> doomed = std::move(Selection);
    Selection.clear();
    for (GameObject* thing : doomed) {
        thing->DetachAndDestroy();
    }
    if (any) {
        PushHistory();
    }
}

void EdLevelEditorBhv::ToggleSelectAll() {
    if (!Selection.empty()) {
        Selection.clear();
        return;
    }
    for (const GameObject* group : FindEditedLevel()->Children) {
        for (GameObject* thing : group->Children) {
            AddToSelection(thing);
        }
    }
}
