#include "game/EditMode.h"

bool (*gEditModeQuery)() = nullptr;
