#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/KeyTaker.h"
#include "object/Behavior.h"
#include "object/SubProperty.h"

class Component;
class EdButtonBhv;
class EdPaletteBhv;
class EdPropertyRowBhv;
class EdTitleBarBhv;
class EdToggleBhv;
class PrefabComponent;

// The inspector "PalObjectEdit": the components of the selected object, prefab or
// auto-created entry, a header row per component and a row per property part, rebuilt
// every pass. Edits write the live component of an object, or the property holders of
// a prefab's entry (marking the prefab modified). It also renames the selection, adds,
// removes and moves components, switches an object's flags, and offers Ctrl+E (shape
// editor on a fixture) and Ctrl+L (origin to the centre of a sprite).
class EdPalObjectEditBhv : public Behavior, public KeyTaker {
public:
    static constexpr const char* PropertyRowPrefab = "EdPropertyRow";
    static constexpr float ScrollInterval = 0.05f;

    // One component of the selection as the rows see it.
    struct Entry {
        IEditable* Editable = nullptr;
        // The prefab's entry; null for a live component of an object.
        PrefabComponent* Holder = nullptr;
        Component* Live = nullptr;
    };

    EdPalObjectEditBhv();
    ~EdPalObjectEditBhv() override;

    void Start() override;
    void Update() override;
    // Ctrl+E and Ctrl+L, on the component of the last fill when it is still there.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void OnRowLabelClicked(int row);
    void OnRowValueChanged(int row, const std::string& text);
    void OnNameChanged(const std::string& text);
    void AddComponent();
    void OnComponentPicked(const std::string& typeName);
    void RemoveComponent();
    void MoveComponentUp() { MoveComponent(-1); }
    void MoveComponentDown() { MoveComponent(1); }
    void SetInputEnabled(bool on);
    void SetUpdateEnabled(bool on);
    void SetDrawEnabled(bool on);

    CoCommand ScrollUpCoroutine(int step);
    CoCommand ScrollDownCoroutine(int step);
    CoCommand FocusNameCoroutine(int step);

    // The components of the current selection, in list order.
    std::vector<Entry> ListComponents() const;

    EdTitleBarBhv* TitleBar = nullptr;
    EdPropertyRowBhv* NameRow = nullptr;
    EdPropertyRowBhv* PrefabNameRow = nullptr;
    std::vector<EdPropertyRowBhv*> Rows;
    std::vector<SubProperty> RowSubProperties;
    // The entry each row edits (null for a live component); the row's component is
    // checked against the selection again before any write.
    std::vector<PrefabComponent*> RowTargets;
    std::vector<int> RowComponentIndex;
    EdButtonBhv* MoveUpButton = nullptr;
    EdButtonBhv* MoveDownButton = nullptr;
    EdButtonBhv* AddButton = nullptr;
    EdButtonBhv* RemoveButton = nullptr;
    EdButtonBhv* ScrollUpButton = nullptr;
    EdButtonBhv* ScrollDownButton = nullptr;
    GameObject* FlagToggles = nullptr;
    EdToggleBhv* InputToggle = nullptr;
    EdToggleBhv* UpdateToggle = nullptr;
    EdToggleBhv* DrawToggle = nullptr;
    IEditable* ShapeFixture = nullptr;
    IEditable* SelectedSprite = nullptr;
    const void* LastSelection = nullptr;
    int ScrollOffset = 0;
    int SelectedComponentIndex = 0;

private:
    // What a row was filled from, to find it again at write time.
    struct RowSource {
        IEditable* Editable = nullptr;
        std::string TypeName;
    };

    void FindWidgets();
    void BindPropertyRow(EdPropertyRowBhv* row);
    // The name row's commit: OnNameChanged, and a renamed thing of the level recorded.
    void RenameSelection(const std::string& text);
    // Title, name rows and flags from the selection; returns the selection's pointer.
    const void* ShowSelection();
    // Fills the rows from the list; whether everything is shown.
    bool FillRows(const std::vector<Entry>& entries);
    void ClearRow(size_t row);
    // The entry at index when it is still the same component, else null.
    const Entry* FindLiveEntry(const std::vector<Entry>& entries, int index, const IEditable* editable) const;
    void WriteHolder(PrefabComponent& entry, const std::string& typeName, const SubProperty& part,
                     const std::string& text);
    // Writes an object's own component; a change to a thing of the level is recorded.
    void WriteLive(const Entry& entry, const SubProperty& part, const std::string& text);
    void MarkSelectionModified() const;
    // Asks first when other prefabs auto-create the prefab; the old name is shown again
    // when the designer declines.
    static void RenamePrefab(const std::string& oldName, const std::string& text);
    void MoveComponent(int offset);
    // Switches a flag of the selected object; a thing of the level is told of it.
    static void SetSelectedFlag(uint8_t GameObject::*flag, const char* name, bool on);
    void CentreSpriteOrigin(const Entry& sprite) const;

    std::vector<RowSource> mRowSources;
    int mShapeFixtureIndex = -1;
    int mSelectedSpriteIndex = -1;
};
