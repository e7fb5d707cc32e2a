#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/KeyboardCapturer.h"
#include "editor/widgets/IEdUiElement.h"
#include "input/KeyStroke.h"
#include "object/Behavior.h"
#include "object/Color.h"

// A one-line text input. A click gives it the keyboard; Enter, Tab or a click elsewhere
// commits the text, Esc drops the focus without committing. Arrow keys step numbers,
// committing at once. A chord with Ctrl or Alt types nothing: Ctrl+C and Ctrl+V copy and
// paste, and any other commits the text and goes on to the editor's keys, as Enter and
// then the chord would. The look changes only in SetRect. The text stays inside the box:
// cut with an ellipsis, or scrolled to keep the caret in while typing.
class EdFieldBhv : public Behavior, public IEdUiElement, public KeyboardCapturer {
public:
    static constexpr Color FocusBoxTint{215, 223, 255, 255};
    static constexpr const char* CaretMark = "|";
    // Room kept between the text and the box's right edge.
    static constexpr float TextEndInset = 3.0f;

    EdFieldBhv();

    void Start() override;
    // Without an editor root to deal the strokes out, the field takes them itself here.
    void HandleInput() override;
    void SetRect(float x, float y, float width, float height) override;
    bool HoldsKeyboard() const override { return HasFocus != 0; }
    void CaptureStroke(const KeyStroke& stroke) override;
    bool PassesOn(const KeyStroke& stroke) const override;

    std::string Text;
    uint8_t HasFocus = 0;
    uint8_t IsEditable = 1;
    std::function<void(const std::string& text)> OnCommit;
    // The box is 2 x BoxInsetY shorter than the row; its centre sits BoxInsetX left of
    // the row's centre.
    float BoxInsetY = 1.0f;
    float BoxInsetX = 1.0f;
    Color NormalBoxTint = Color(255, 255, 255, 255);
    GameObject* BoxObject = nullptr;
    GameObject* TextObject = nullptr;
    int Caret = 0;

private:
    static bool IsClick(const KeyStroke& stroke);
    // A chord with Ctrl or Alt that edits nothing here.
    static bool IsForeignChord(const KeyStroke& stroke);
    void Apply(const KeyStroke& stroke);
    void TakeFocusByMouse(const KeyStroke& click);
    // Caret, stepping, deletion, Enter, Tab and Esc; false for other keys.
    bool EditByKey(const KeyStroke& stroke);
    void StepNumber(double direction, const KeyStroke& stroke);
    // The stroke's character, or with Ctrl the clipboard's copy and paste.
    void TypeCharacter(const KeyStroke& stroke);
    void Commit();
    void InsertAtCaret(const std::string& text);
    int Length() const { return static_cast<int>(Text.size()); }
    // The text as the box shows it, with the caret while focused.
    std::string ShownText(float width);

    // The first character shown while the text is scrolled.
    size_t mFirstShown = 0;
    // The editor root dealt this pass's strokes to the field before its turn came.
    bool mStrokesDealt = false;
};
