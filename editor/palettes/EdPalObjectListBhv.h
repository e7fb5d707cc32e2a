#pragma once

#include <string>
#include <vector>

#include "editor/KeyTaker.h"
#include "object/Behavior.h"

class AutoCreate;
class EdButtonBhv;
class EdListItemBhv;
class EdPaletteBhv;

// The object browser "PalObjectList": the children of the insert parent under a row for
// the parent itself. Left click selects, right click descends (climbs on the parent
// row). It adds, removes, reorders and rebuilds objects, and writes an instance's
// values back into the prefab data it came from.
class EdPalObjectListBhv : public Behavior, public KeyTaker {
public:
    static constexpr const char* NewObjectName = "NewObject";
    static constexpr const char* ChildrenMark = "  [+]";

    EdPalObjectListBhv();

    void Start() override;
    void Update() override;
    // Insert adds an object, Ctrl+S writes the selection into its prefabs, Ctrl+P
    // selects its prefab.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void SelectRow(int row);
    void DescendRow(int row);
    void SelectParent();
    void ClimbToParent();
    void AddObject();
    void OnPrefabPicked(const std::string& prefabName);
    void RemoveSelected();
    void ReloadSelected();
    void MoveSelected(int offset);
    // Ctrl+S: writes the selection back and saves the prefabs it wrote to.
    void SaveSelectedToPrefabs();

    static std::string ObjectLabel(const GameObject* object, bool markChildren);
    // The auto-create entry of the parent's prefab that made this object, or null.
    static AutoCreate* FindAutoCreateOf(const GameObject* object);
    static void UpdatePrefabFromInstance(const GameObject* object);

    CoCommand ScrollUpCoroutine(int step);
    CoCommand ScrollDownCoroutine(int step);

    EdPaletteBhv* Palette = nullptr;
    EdListItemBhv* ParentItem = nullptr;
    EdButtonBhv* BtnAdd = nullptr;
    EdButtonBhv* BtnRemove = nullptr;
    EdButtonBhv* BtnScrollUp = nullptr;
    EdButtonBhv* BtnScrollDown = nullptr;
    EdButtonBhv* BtnUpdatePrefab = nullptr;
    EdButtonBhv* BtnReload = nullptr;
    EdButtonBhv* BtnMoveUp = nullptr;
    EdButtonBhv* BtnMoveDown = nullptr;
    std::vector<EdListItemBhv*> Items;
    int ScrollOffset = 0;
    float ScrollInterval = 0.05f;

private:
    void FindWidgets();
    GameObject* ChildAt(int row) const;
    // Root, the gameplay root, the editor's objects, the level and its groups, and
    // anything above them must stay where they are.
    static bool IsProtected(const GameObject* object);
    // The selection, when it may be changed now; else null, and the designer is told why.
    static GameObject* SelectionToChange(const char* verb);
};
