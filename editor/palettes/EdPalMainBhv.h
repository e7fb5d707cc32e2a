#pragma once

#include <filesystem>
#include <string>

#include "editor/KeyTaker.h"
#include "object/Behavior.h"

class EdPaletteBhv;
class EdPropertyRowBhv;
class EdSpacerBhv;
class EdToggleBhv;

// The editor's control strip "PalMain": toggles that show the other palettes, pause
// the game and show the physics view, a status row with the level and the source
// object the level editor would insert, a row naming what is not saved yet, and a row
// for messages to the designer (saves, refusals, content problems).
class EdPalMainBhv : public Behavior, public KeyTaker {
public:
    static constexpr const char* SourcesPrefab = "Lvl_Sources";
    static constexpr const char* LevelPrefix = "Lv: ";
    static constexpr const char* ObjectPrefix = "Ob: ";
    static constexpr const char* UnsavedPrefix = "Unsaved: ";
    // Seconds of editing a notice stays; time outside edit mode does not count, so a
    // message from play waits for the designer.
    static constexpr float NoticeSeconds = 8.0f;
    // A notice wraps to as many lines; a longer one is cut. The palette below must
    // stay clear of it.
    static constexpr int NoticeMaxLines = 5;
    // The message rows' text: from the left edge, and above and below.
    static constexpr float RowMargin = 6.0f;
    static constexpr float RowPadding = 2.0f;

    EdPalMainBhv();
    ~EdPalMainBhv() override;

    void Start() override;
    void Update() override;
    // Tab hides or shows the other palettes; the Pause key flips the pause toggle.
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    void HidePalettes();
    void ShowPalettes();
    // Whether any of the four palette toggles is on.
    bool IsAnyPaletteShown() const;
    // The status row's object name: "" when the selection is no placeable source.
    std::string GetInsertPrefabName() const;
    // Shows a message in the notice row for NoticeSeconds of editing, or until the next.
    // What the start-up told stays above the later messages until it has been shown in
    // edit mode; "" clears the row.
    void ShowNotice(const std::string& text);
    // The message shown, "" when none.
    const std::string& GetNotice() const { return mNotice.Text; }
    // The notice goes when it names the file: a file read clean again is mended.
    void WithdrawNoticeAbout(const std::filesystem::path& file);

    EdPaletteBhv* Palette = nullptr;
    EdToggleBhv* ChkObjectList = nullptr;
    EdToggleBhv* ChkPrefabList = nullptr;
    EdToggleBhv* ChkAutoCreateList = nullptr;
    EdToggleBhv* ChkEdit = nullptr;
    EdToggleBhv* ChkPauseGame = nullptr;
    EdToggleBhv* ChkShowPhysics = nullptr;
    EdPropertyRowBhv* StatusRow = nullptr;

private:
    // A row of wrapped text ("UnsavedRow", "NoticeRow"): a spacer whose children
    // "Background" and "Text" are placed from the row's centre, so they move with it.
    struct MessageRow {
        EdSpacerBhv* Row = nullptr;
        int MaxLines = 1;
        std::string Text;  // as given, before any cut
    };

    void SetPalettesShown(bool shown);
    // Binds the toggle to show or hide the palettes root's child of that name.
    void BindPaletteToggle(EdToggleBhv* toggle, const char* paletteName);
    // What the start-up told before the editor listened, one line each.
    void ShowLoadingNotices();
    // The selected name when "Lvl_Sources" has an entry of that prefab, else "".
    static std::string FindInsertName();
    void UpdateStatusRow();
    void AgeNotice();
    // The row shows the text, or is hidden (taking no room) for "".
    void ShowMessage(MessageRow& row, const std::string& text);

    MessageRow mUnsaved;
    MessageRow mNotice{nullptr, NoticeMaxLines, {}};
    float mNoticeAge = 0.0f;
    // What the start-up told, while edit mode has not shown it yet.
    std::string mLoadingNotice;
};
