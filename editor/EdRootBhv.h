#pragma once

#include <string>
#include <vector>

#include "editor/EdMessageBox.h"
#include "editor/KeyTaker.h"
#include "object/Behavior.h"

class EdPalMainBhv;

// The root of the editor's interface: shows, hides and fades its three subtrees each
// frame, deals each pass's keys out in the order they went down, takes the edit-mode
// keys (F1, F2, F11, Ctrl+Q, Ctrl+G), returns from a play-test, opens the message box,
// asks before the program ends with unsaved work, and works out once per pump pass
// whether the mouse is over the editor and whether the editor holds the keyboard.
class EdRootBhv : public Behavior, public KeyTaker {
public:
    // The palettes' alpha byte while a tool is engaged.
    static constexpr uint8_t FadedAlpha = 76;
    static constexpr const char* QuitAnyway = "Quit anyway";
    static constexpr const char* GoBack = "Go back";

    EdRootBhv();
    ~EdRootBhv() override;

    void Start() override;
    void Update() override;
    void HandleInput() override;
    void TakeStroke(const KeyStroke& stroke, std::span<const KeyStroke> after) override;

    // Enter and Esc press the safe answer when one is named, else the first and the last
    // button.
    void ShowMessageBox(const std::vector<std::string>& labels, const std::string& title, MessageBoxCallback callback,
                        const std::string& safeAnswer = "");
    void ReturnToEditor();
    void UpdateMouseOverPalette();
    // Deals the pass's keys out in the order they went down (KeyTaker), then tells who had
    // the keyboard: the editor state's KeyboardCaptured (a focused field, an open dialog or
    // an engaged tool at or below the root's own object held it at some point of the
    // pass) and the input manager's KeysClaimed, the keys the game leaves alone.
    void DealKeys();
    // The application's per-pass call after the message pump, before the game reads its
    // keys; nothing without a root.
    static void AfterMessagePump();
    // The application's question when the program is to end: true when nothing is
    // unsaved (or there is no root). Otherwise the message box asks, in edit mode, and
    // the answer "Quit anyway" posts the quit again, which then passes.
    static bool MayQuit();

    GameObject* PalettesRoot = nullptr;
    GameObject* DialogsRoot = nullptr;
    GameObject* LevelEditorObject = nullptr;
    EdPalMainBhv* MainPalette = nullptr;
    float PalettesAlpha = 1.0f;

private:
    // F1's way into edit mode: the game pauses as it stands.
    void EnterEditMode();
    // F11: into edit mode with the palettes, or shows hidden palettes, or leaves.
    void ToggleEditMode();
    // Ctrl+Q picks a sprite, Ctrl+G moves the inspected object.
    void EngageToolOnChord(const KeyStroke& stroke);
    bool AskBeforeQuitting();
    void OnQuitAnswer(const std::string& answer);
    void ShowSubtrees(bool editing);
    bool IsDialogOpen() const;
    void HidePalettes();
    void ShowPalettes();

    // What the editor asks of the gameplay screen. Until the gameplay screen exists it
    // is the gameplay root that pauses, and there are no editor icons or history.
    static bool HasGameplayScreen();
    static void PauseGameplayScreen();
    static void ShowGameplayEditorIcons(bool show);
    // Edit mode shows the level, not a title card that play left half faded.
    static void RemoveGameplayTitleCard();
    // ... nor a view that the paused game left half turned in.
    static void EndGameplayArrival();
    void RestoreLevelFromHistory();

    // This pass's keys were dealt after the pump; without that call, the input walk deals
    // them.
    bool mKeysDealt = false;
    bool mAskingToQuit = false;
    bool mQuitConfirmed = false;
};

extern EdRootBhv* gEdRoot;

// The object and every ancestor have DrawEnabled set.
bool IsDrawnInHierarchy(const GameObject* object);
