#include "physics/FixtureMouseListenerBhv.h"

void FixtureMouseListenerBhv::HandleInput() {
    IsMouseOver = MouseOverThisPass;
    MouseOverThisPass = 0;
}
