#pragma once

#include "object/Behavior.h"

// A debug aid: clicking its sprite blips and writes a line to the log.
class TestSpriteBhv : public Behavior {
public:
    // Clears gTestSprite when it names this instance.
    ~TestSpriteBhv() override;

    void Start() override;
    void HandleInput() override;
};

// The last one started; nothing else reads it.
extern TestSpriteBhv* gTestSprite;
