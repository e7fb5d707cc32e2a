#pragma once

// The time record is shared with the object layer, which cannot include runtime headers.
#include "object/GameTime.h"
