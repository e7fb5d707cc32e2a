#pragma once

#include <string>
#include <vector>

#include "editor/EdMessageBox.h"
#include "editor/KeyboardCapturer.h"
#include "object/Behavior.h"

class EdDialogBhv;

// The editor's one message box "EdDlgMessageBox": a title over a row of buttons built
// from labels. Its keys come as the editor root deals them, in their place among the
// pass's keys: Enter presses the first button and Esc the last, or both the safe answer
// when the question names one; a letter struck without Ctrl or Alt presses the first
// button whose label starts with it.
class EdDlgMessageBoxBhv : public Behavior, public IEdMessageBox, public KeyboardCapturer {
public:
    static constexpr const char* ButtonPrefab = "EdButton";

    EdDlgMessageBoxBhv();

    void Start() override;

    void Build(const std::string& title, const std::vector<std::string>& labels, MessageBoxCallback callback,
               const std::string& safeAnswer) override;
    // Closes the box and hands the label to the pending callback, once.
    void OnButton(const std::string& label);
    // The labels of the current buttons, in order.
    std::vector<std::string> GetLabels() const;
    // Open: the keys are its own.
    bool HoldsKeyboard() const override;
    void CaptureStroke(const KeyStroke& stroke) override;

    EdDialogBhv* Dialog = nullptr;
    GameObject* ButtonsRoot = nullptr;
    MessageBoxCallback Callback;

private:
    void RemoveButtons();
    void AddButton(const std::string& label);
    // The label that the stroke answers, or "".
    std::string AnswerOf(const KeyStroke& stroke, const std::vector<std::string>& labels) const;
    // The box takes the width its prefab gives, or more when the title needs it (up to
    // the screen less a margin), and stays centred.
    void FitWidthToTitle(const GameObject& titleBar, const std::string& title);

    std::string mSafeAnswer;
    // The prefab's width, taken at the first build.
    float mBaseWidth = 0.0f;
};
