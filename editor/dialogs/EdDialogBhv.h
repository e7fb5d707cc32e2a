#pragma once

#include "editor/KeyboardCapturer.h"
#include "object/Behavior.h"
#include "object/Vector2.h"

// The frame of a modal editor dialog: centred on the screen over a dimming overlay,
// its rows stacked from the top, drawn on the upper editor layers. Closed until Open.
class EdDialogBhv : public Behavior, public KeyboardCapturer {
public:
    // The dialog is centred as if it were this tall, whatever its rows add up to.
    static constexpr float NominalHeight = 300.0f;

    EdDialogBhv();

    void Start() override;

    // Stacks the children that are rows from TopLeft down, and the rows held by a child
    // that is none; the others take no room.
    void Layout();
    // Shows the dialog and takes the input from the palettes behind it.
    void Open();
    void Close();
    bool IsOpen() const;
    // Shown, with every ancestor drawn.
    bool HoldsKeyboard() const override;
    // Moves the object's subtree onto the upper editor layers, above the palettes.
    static void MoveToDialogLayers(GameObject* object);

    float Width = 220.0f;
    Vector2 TopLeft;

private:
    void SetPalettesInput(bool enabled) const;
    // Places the object's row at y and moves y below it; false when it is no row.
    bool StackRow(GameObject* object, float& y) const;
};
