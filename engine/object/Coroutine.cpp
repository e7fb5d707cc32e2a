#include "object/Coroutine.h"

CoroutineManager* gCoroutineManager = nullptr;

void CoroutineManager::Update(Behavior*) {}
