#include "object/Events.h"

Events* gEvents = nullptr;
