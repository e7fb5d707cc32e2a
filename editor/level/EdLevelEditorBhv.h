#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/KeyTaker.h"
#include "editor/level/LevelSnapshot.h"
#include "object/Behavior.h"
#include "object/Vector2.h"

class GameObject;
class IEditable;
class Prefab;

// Edits the level under the gameplay screen in edit mode: selects things with the
// mouse, moves, turns, nudges, reorders, duplicates and deletes them, selects by
// rectangle and places new things from "Lvl_Sources". It keeps the level's undo
// history as snapshots, saves the level from them, asks before switching levels and
// starts and ends play-tests. One indicator marks each selected thing.
class EdLevelEditorBhv : public Behavior, public KeyTaker {
public:
    enum class Tool { None = 0, Move = 1, Rotate = 2, BoxFirstCorner = 4, BoxDragging = 5 };

    EdLevelEditorBhv();
    ~EdLevelEditorBhv() override;

    void Start() override;
    void Update() override;
    void HandleInput() override;
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void AddToSelection(GameObject* object);
    // Remembers each selected thing's position and rotation, and their mean position.
    void BeginTransform();

    // --- History, saving and switching ---

    std::unique_ptr<Prefab> TakeSnapshot(bool isMutable) const;
    void PushHistory();
    void RestoreHistory(int index);
    void ResetHistory();
    void SaveLevel(const std::string& levelName);
    void AskSaveAndSwitch(int offset);
    void OnSaveAnswer(int offset, const std::string& answer);

    // --- Edits that other palettes make to things (the inspector) ---

    // Whether the object is a thing in a group of the level: what the history records.
    static bool HoldsThing(const GameObject* object);
    // The thing that is the object or has it among its parts (its "EditorIcon", an
    // auto-created child); null outside the level's things.
    static const GameObject* FindThingHolding(const GameObject* object);
    // A value of a thing, or of a part of one, was changed: one the level keeps becomes
    // an undo step, as a move does; one it does not keep is named to the designer at
    // once, for the next restore or load brings its old value back.
    void OnThingValueEdited(const GameObject& object, const IEditable& component, const std::string& property);
    // A thing, or a part of one, was renamed: the level keeps every thing's name.
    void OnThingRenamed(const GameObject& object);
    // A change of a thing or of a part of one that no level file keeps: a component
    // added, removed or moved, a flag switched, a part added, removed, reloaded or
    // moved. Named as a value the level does not keep is; `change` is followed by the
    // object's name ("TintCmp added to" Wall, "DrawEnabled of" Wall).
    void OnUnkeptChange(const GameObject& object, const std::string& change);
    // A list added an object that is no thing: a part of a thing, named as above, or an
    // object in a group of the level (a prefab that "Lvl_Sources" does not list). A
    // level file records only things, so the next restore or load drops it: it is named
    // the same way, and the level counts as unsaved while it stands, for quitting loses
    // it as surely as an unsaved edit.
    void OnUnkeptAddition(const GameObject& object);
    // Edits not yet saved, or an object added to a group that the file cannot keep.
    bool HoldsUnsavedWork() const;
    // While a play-test's state is kept (F1 without F2), the things of the mutable
    // groups are as play left them and the history leaves them out: an edit of one, or
    // of anything in their groups, waits for F2 and the designer is told. True when the
    // edit may go on.
    bool MayEdit(const GameObject& object) const;
    bool MayEditAll(const std::vector<GameObject*>& objects) const;
    // The same for one value: only a value the level keeps waits. Any other is a live
    // change, named as not kept when it is made.
    bool MayEditValue(const GameObject& object, const IEditable& component, const std::string& property) const;

    // The editor state's deletion repair: the object must leave the selection.
    void ForgetObject(const GameObject* object);

    Tool GetToolMode() const { return mToolMode; }
    int GetHistoryIndex() const { return mHistoryIndex; }
    int GetHistorySize() const { return static_cast<int>(mHistory.size()); }

    std::vector<GameObject*> Selection;
    uint8_t Dirty = 0;

private:
    // Objects queued for destruction (by play or by the object list) leave the selection.
    void DropDestroyedFromSelection();
    void EraseFromSelection(size_t index);
    void UpdateIndicators();
    void ShowBoxIndicator(GameObject& indicator) const;

    // A click away from the palettes, or Enter.
    static bool IsConfirm(const KeyStroke& stroke);
    // Esc or a confirm ends a move or turn.
    void EndTransformOnStroke(const KeyStroke& stroke);
    void CancelTransform();
    void MoveSelection(Vector2 mouse, Vector2 previous);
    void TurnSelection(Vector2 mouse, Vector2 previous);
    void DragBox(Vector2 mouse);
    // A move or turn of the selection, when there is one that may change.
    void BeginTool(Tool tool);
    void TakeIdleStroke(const KeyStroke& stroke, std::span<const KeyStroke> after);
    void TakeIdlePress(const KeyStroke& stroke);
    void Nudge(const KeyStroke& stroke, std::span<const KeyStroke> after);
    // Draws the selection over the rest of its group, or under it.
    void Reorder(bool toFront);
    void CycleSources(int step);
    void PlaceSource(Vector2 mouse);
    void PickAt(const KeyStroke& click);
    void Duplicate();
    void DeleteSelection();
    void ToggleSelectAll();
    void TakeHistoryStroke(const KeyStroke& stroke);
    void StartPlayTest();
    void SelectBox();
    void WarnOfIncompleteThings(const Prefab& level) const;
    // Alt+S: the level is saved when it has unsaved edits; with only edits that it does
    // not keep, the designer hears that nothing was written, and what was not kept.
    void SaveOnKeys();
    // "Saved Lvl_01" or "Nothing written to Lvl_01", with what the file did not take
    // of the level as shown.
    std::string SaveConfirmation(const std::string& levelName, bool written) const;
    void NameUnkept(const GameObject& object, const std::string& change, const std::string& reason);
    void NoteUnkept(const std::string& what, const std::string& reason);
    // A restore or load: the level shows what its history holds.
    void ForgetUnkept();

    // "Lvl_Sources": what can be placed, and which properties a level keeps per thing.
    static const Prefab& Sources();

    GameObject* mSelectionRoot = nullptr;
    Tool mToolMode = Tool::None;
    std::vector<Vector2> mSavedPositions;
    std::vector<float> mSavedRotations;
    Vector2 mPivot;
    Vector2 mBoxStart;
    Vector2 mBoxEnd;
    std::vector<std::unique_ptr<LevelHistoryEntry>> mHistory;
    int mHistoryIndex = -1;
    // The move carries fresh duplicates: Esc destroys them instead of moving back.
    bool mMovingDuplicates = false;
    // A stroke of this pass began the move or turn: the mouse moves it from the next.
    bool mToolBegunThisPass = false;
    // Repeats of held arrows in this pass already taken with the first of them.
    int mNudgeStrokesTaken = 0;
    // Edits since the last save that the level file does not keep ("B2FixtureCmp.Shape
    // of Wall", "Cue_BulletWallHit added to Layer1"); a restore rebuilds the things
    // without them.
    std::vector<std::string> mUnkeptEdits;
    // Among them an object added to a group: the level shows more than any file holds.
    bool mHoldsUnkeptAddition = false;
    // Among them one that a restore of the current entry takes back (not a live change
    // of a moving thing that play keeps): an undo takes back that first.
    bool mUndoTakesBackUnkept = false;
};

// The level under the gameplay screen; null without a screen or a level.
GameObject* FindEditedLevel();
