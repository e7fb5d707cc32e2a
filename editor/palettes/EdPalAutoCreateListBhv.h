#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/KeyTaker.h"
#include "object/Behavior.h"

class AutoCreate;
class EdButtonBhv;
class EdListItemBhv;
class Prefab;

// The auto-create list "PalAutoCreateList": the child entries of the prefab named by the
// editor's current name. It adds an entry for a picked prefab, duplicates, removes and
// reorders entries; every change marks the owning prefab modified.
class EdPalAutoCreateListBhv : public Behavior, public KeyTaker {
public:
    EdPalAutoCreateListBhv();

    void Start() override;
    void Update() override;
    // Insert adds an entry beside the selected one.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void SelectRow(int row);
    void AddEntry();
    void OnPrefabPicked(const std::string& prefabName);
    void DuplicateEntry();
    void RemoveEntry();
    void MoveEntry(int offset);

    // "Name  (Prefab)".
    static std::string EntryLabel(const AutoCreate& entry);

    CoCommand ScrollUpCoroutine(int step);
    CoCommand ScrollDownCoroutine(int step);

    std::vector<EdListItemBhv*> Items;
    EdButtonBhv* BtnDuplicate = nullptr;
    EdButtonBhv* BtnAdd = nullptr;
    EdButtonBhv* BtnRemove = nullptr;
    EdButtonBhv* BtnScrollUp = nullptr;
    EdButtonBhv* BtnScrollDown = nullptr;
    EdButtonBhv* BtnMoveUp = nullptr;
    EdButtonBhv* BtnMoveDown = nullptr;
    // Shown while no prefab is current.
    std::vector<std::unique_ptr<AutoCreate>> NoEntries;  // never filled
    int EntryCount = 0;
    int ScrollOffset = 0;
    float ScrollInterval = 0.05f;

private:
    void FindWidgets();
    static Prefab* CurrentPrefab();
    const std::vector<std::unique_ptr<AutoCreate>>& CurrentEntries() const;
    // The selected entry's place in the current prefab's list, or -1.
    static int SelectedIndex();
};
