#include "game/levels/SaveSignature.h"

const std::string gSaveHeader = "WanderingPastTheGate!5";
