#pragma once

#include <cstdint>

// The main loop's two debug switches (skip the updates; run them only now and then),
// reached by the debug display, which sits above the loop. The application points
// these at its own switches while it lives; null otherwise.
struct UpdateSwitches {
    uint8_t* Disabled = nullptr;
    uint8_t* Delayed = nullptr;
};

extern UpdateSwitches gUpdateSwitches;
