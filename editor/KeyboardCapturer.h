#pragma once

class Component;
class GameObject;

// A component that can take the keyboard from the editor's own keys: a field with the
// focus, an open dialog, an engaged tool. Each one is listed while it lives, so the
// once-a-pass question asks these few instead of walking the whole editor tree.
class KeyboardCapturer {
public:
    KeyboardCapturer(const KeyboardCapturer&) = delete;
    KeyboardCapturer& operator=(const KeyboardCapturer&) = delete;

    // Holds the keyboard now, wherever its object is.
    virtual bool HoldsKeyboard() const = 0;

    // Some listed capturer on the root or below it holds the keyboard.
    static bool AnyHoldsKeyboardBelow(const GameObject* root);

protected:
    explicit KeyboardCapturer(const Component* self);
    virtual ~KeyboardCapturer();

private:
    const Component* mSelf;
};
