#pragma once

#include "editor/ListedComponent.h"
#include "input/KeyStroke.h"

// A component that can take the keyboard from the editor's own keys and from the game: a
// field with the focus, an open dialog, an engaged tool.
class KeyboardCapturer : public ListedComponent<KeyboardCapturer> {
public:
    // Holds the keyboard at this point of the pass, wherever its object is.
    virtual bool HoldsKeyboard() const = 0;
    // One of the pass's strokes, as the editor root deals them out in the order they went
    // down (KeyTaker): a field's keys and the click that gives or takes its focus, a
    // dialog's answer, a tool's ending keys.
    virtual void CaptureStroke(const KeyStroke& stroke) { static_cast<void>(stroke); }
    // Asked before the stroke is dealt: a stroke that the capturer lets the keyboard go
    // for and that then goes on to the key takers, as a field's Enter and the chord after
    // it would (a chord that a field has no use for).
    virtual bool PassesOn(const KeyStroke& stroke) const {
        static_cast<void>(stroke);
        return false;
    }

protected:
    explicit KeyboardCapturer(const Component* self) : ListedComponent(self) {}
    virtual ~KeyboardCapturer() = default;
};
