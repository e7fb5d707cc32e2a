#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/KeyboardCapturer.h"
#include "object/Behavior.h"

class EdButtonBhv;
class EdDialogBhv;
class EdFieldBhv;
class EdListItemBhv;
class EdPropertyRowBhv;

// Called with the chosen name when a picker's OK takes it.
using PickerCallback = std::function<void(const std::string& name)>;

// A modal dialog that picks one name from a list filtered as the user types. Names
// supplies the names (ascending), the label of the empty choice offered first while
// the filter is empty ("" for none) and the editor state's slot for the picker.
// The rows are the list items under "Buttons"; OK and Enter take the marked row,
// Cancel and Esc drop the pick, Up and Down move the mark, the scroll buttons scroll.
// Its keys come as the editor root deals them, in their place among the pass's keys: an
// Enter takes the row that the letters typed before it leave.
template <class Self>
class EdDlgPickerBhv : public Behavior, public KeyboardCapturer {
public:
    static constexpr float ScrollRepeat = 0.05f;

    EdDlgPickerBhv() : KeyboardCapturer(this) {}
    ~EdDlgPickerBhv() override;

    void Start() override;
    void Update() override;
    // Open: the keys are its own.
    bool HoldsKeyboard() const override;
    void CaptureStroke(const KeyStroke& stroke) override;

    // Opens the picker with an empty filter that has the keyboard.
    void Show(PickerCallback callback);
    void Select(int row);
    void OnOk();
    void OnCancel();
    // Whether the name matches the filter: contains it, whatever the case.
    static bool Matches(const std::string& name, const std::string& filter);

    CoCommand ScrollUpCoroutine(int step);
    CoCommand ScrollDownCoroutine(int step);

    EdDialogBhv* Dialog = nullptr;
    PickerCallback Callback;
    EdButtonBhv* OkButton = nullptr;
    EdButtonBhv* CancelButton = nullptr;
    EdButtonBhv* ScrollUpButton = nullptr;
    EdButtonBhv* ScrollDownButton = nullptr;
    EdPropertyRowBhv* FilterRow = nullptr;
    EdFieldBhv* FilterField = nullptr;
    std::string LastFilter;
    std::vector<EdListItemBhv*> Items;
    int SelectedRow = 0;
    int ScrollOffset = 0;

private:
    // The rows, the mark and the scroll buttons as the filter field's text stands.
    void ShowFilter();
    // Fills the rows from the names matching the filter; whether a row stayed empty.
    bool FillRows(const std::string& filter);
    bool IsRowFilled(int row) const;
    void Finish();

    const void* mRegisteredAs = nullptr;
};

// Lists the registered component type names; the inspector adds the one picked.
class EdDlgComponentPickerBhv final : public EdDlgPickerBhv<EdDlgComponentPickerBhv> {
public:
    static constexpr const char* NoneLabel = "";
    static std::vector<std::string> Names();
    // Null while there is no editor state.
    static EdDlgComponentPickerBhv** StateSlot();
};

// Lists the prefab names after "(None)", which picks the empty name.
class EdDlgPrefabPickerBhv final : public EdDlgPickerBhv<EdDlgPrefabPickerBhv> {
public:
    static constexpr const char* NoneLabel = "(None)";
    static std::vector<std::string> Names();
    static EdDlgPrefabPickerBhv** StateSlot();
};

extern template class EdDlgPickerBhv<EdDlgComponentPickerBhv>;
extern template class EdDlgPickerBhv<EdDlgPrefabPickerBhv>;
