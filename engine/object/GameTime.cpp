#include "object/GameTime.h"

// Defined with the type so that every program linking the object model has it; the
// application points it at its own record.
GameTime* gGameTime = nullptr;
