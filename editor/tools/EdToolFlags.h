#pragma once

#include <cstdint>

class GameObject;

// A tool object's three flags together: on while the tool is engaged, off while idle.
void SetToolObjectFlags(GameObject* object, uint8_t on);

// The gameplay root's input and update flags, saved and cleared while a tool runs.
struct PausedGameplay {
    void Pause();
    void Resume() const;

    uint8_t InputEnabled = 0;
    uint8_t UpdateEnabled = 0;
};

// The game's interface (HUD, title cards, panels), saved and hidden while a tool works
// on the world: the palettes fade so that the level shows through them, and the
// interface would show through as well, as if drawn over the editor.
struct HiddenInterface {
    void Hide();
    void Show() const;

    uint8_t WasShown = 1;
};
