#pragma once

class GameObject;

// Turns the pick-up's child "Border" by turnsPerSecond whole turns per second.
void TurnPickupBorder(GameObject& pickup, float turnsPerSecond);
