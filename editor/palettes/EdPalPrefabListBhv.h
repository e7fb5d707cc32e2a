#pragma once

#include <string>
#include <vector>

#include "editor/KeyTaker.h"
#include "object/Behavior.h"

class EdButtonBhv;
class EdFieldBhv;
class EdListItemBhv;
class EdPropertyRowBhv;
class Prefab;

// The prefab list "PalPrefabList": every loaded prefab in name order, filtered by a
// text while it is typed. It creates, duplicates, removes and saves prefabs and pushes
// a prefab's definition into the running scene.
class EdPalPrefabListBhv : public Behavior, public KeyTaker {
public:
    static constexpr const char* NewPrefabName = "NewPrefab";

    EdPalPrefabListBhv();

    void Start() override;
    void Update() override;
    // Ctrl+S saves the current prefab (while no object is selected), Insert makes a new
    // one, Ctrl+Shift+S saves them all.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void SelectRow(int row);
    void NewPrefab();
    // Asks first for a prefab that the game's code or other prefabs use.
    void RemovePrefab();
    // The selection moves to the next prefab the filter shows, or to none. The file
    // goes at the next save of all, which names it.
    void RemovePrefabNow(const std::string& name);
    void SaveCurrent();
    void SaveAll();
    void Duplicate();
    void UpdateAll();

    static bool MatchesFilter(const std::string& name, const std::string& filter);

    CoCommand ScrollUpCoroutine(int step);
    CoCommand ScrollDownCoroutine(int step);

    std::vector<EdListItemBhv*> Items;
    EdButtonBhv* BtnAdd = nullptr;
    EdButtonBhv* BtnRemove = nullptr;
    EdButtonBhv* BtnUpdateAll = nullptr;
    EdButtonBhv* BtnDuplicate = nullptr;
    EdButtonBhv* BtnScrollUp = nullptr;
    EdButtonBhv* BtnScrollDown = nullptr;
    EdButtonBhv* BtnSaveCurrent = nullptr;
    EdButtonBhv* BtnSaveAll = nullptr;
    EdPropertyRowBhv* FilterRow = nullptr;
    EdFieldBhv* FilterField = nullptr;
    std::string Filter;
    int ScrollOffset = 0;
    float ScrollInterval = 0.05f;

private:
    void FindWidgets();
    // Fills the rows; whether the matching prefabs ran out before the last row.
    bool FillRows();
    Prefab* CurrentPrefab() const;
    // Each adds the names of the prefabs it wrote, the second also those of the removed
    // prefabs whose files it deleted; false after a failure, which it has reported.
    bool WriteCurrent(std::vector<std::string>& saved);
    bool WriteAllModified(std::vector<std::string>& saved, std::vector<std::string>& removed);
};
