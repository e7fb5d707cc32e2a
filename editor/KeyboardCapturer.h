#pragma once

#include "editor/ListedComponent.h"
#include "input/KeyStroke.h"

// A component that can take the keyboard from the editor's own keys: a field with the
// focus, an open dialog, an engaged tool.
class KeyboardCapturer : public ListedComponent<KeyboardCapturer> {
public:
    // Holds the keyboard at this point of the pass, wherever its object is.
    virtual bool HoldsKeyboard() const = 0;
    // Holds it at some point of this pass: a field that a click of this pass focuses
    // holds it from that click on.
    virtual bool HoldsKeyboardThisPass() const { return HoldsKeyboard(); }
    // One of the pass's strokes, as the editor root deals them out in the order they went
    // down (KeyTaker): a field's keys, a tool's ending keys. A dialog reads its keys in its
    // own turn and takes none.
    virtual void CaptureStroke(const KeyStroke& stroke) { static_cast<void>(stroke); }

    // Some listed capturer on the root or below it holds the keyboard at some point of
    // this pass.
    static bool AnyHoldsKeyboardThisPassBelow(const GameObject* root);

protected:
    explicit KeyboardCapturer(const Component* self) : ListedComponent(self) {}
    virtual ~KeyboardCapturer() = default;
};
