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
