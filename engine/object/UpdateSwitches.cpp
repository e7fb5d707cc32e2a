#include "object/UpdateSwitches.h"

UpdateSwitches gUpdateSwitches;
