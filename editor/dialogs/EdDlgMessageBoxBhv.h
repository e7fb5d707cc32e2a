#pragma once

#include <string>
#include <vector>

#include "editor/EdMessageBox.h"
#include "object/Behavior.h"

class EdDialogBhv;

// The editor's one message box "EdDlgMessageBox": a title over a row of buttons built
// from labels. Enter presses the first button, Esc the last, a typed letter the first
// whose label starts with it.
class EdDlgMessageBoxBhv : public Behavior, public IEdMessageBox {
public:
    static constexpr const char* ButtonPrefab = "EdButton";

    EdDlgMessageBoxBhv();

    void Start() override;
    void HandleInput() override;

    void Build(const std::string& title, const std::vector<std::string>& labels, MessageBoxCallback callback) override;
    // Closes the box and hands the label to the pending callback, once.
    void OnButton(const std::string& label);
    // The labels of the current buttons, in order.
    std::vector<std::string> GetLabels() const;

    EdDialogBhv* Dialog = nullptr;
    GameObject* ButtonsRoot = nullptr;
    MessageBoxCallback Callback;

private:
    void RemoveButtons();
    // A key that opened the box in this pass (Enter committing a field) must not
    // answer it too.
    bool OpenedThisPass() const;
    void AddButton(const std::string& label);
    // The box takes the width its prefab gives, or more when the title needs it (up to
    // the screen less a margin), and stays centred.
    void FitWidthToTitle(const GameObject& titleBar, const std::string& title);

    // The time record of the pass that built the box; it changes every pass.
    float mBuiltAt = -1.0f;
    // The prefab's width, taken at the first build.
    float mBaseWidth = 0.0f;
};
