#include "game/GameplayScreenSeam.h"

GameplayScreenSeam* gGameplayScreen = nullptr;
