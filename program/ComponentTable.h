#pragma once

class PrefabManager;

// Registers every component type of the program by name, in the table's order. The
// one place that knows all the game's component classes.
void RegisterComponentTypes(PrefabManager& manager);
