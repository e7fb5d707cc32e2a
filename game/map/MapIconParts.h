#pragma once

#include <string>

class GameObject;
class LevelDataCmp;
class MapNodeCmp;

// What the map's icons share: showing their badge children and following the level
// they stand for.
namespace MapIconParts {

// Shows or hides the named child; nothing when there is none.
void ShowChild(const GameObject& icon, const char* name, bool shown);

// Copies the level's lock into the node, selects the level while the node is current
// and names the level on the node.
void FollowLevel(MapNodeCmp& node, const LevelDataCmp& level);

// Level icons' confirm: a locked node buzzes and flashes the lock reason, an open one
// becomes the last started level, is saved and started. Only on the current node,
// outside edit mode, when MenuConfirm is pressed this pass.
void LevelIconActivate(const GameObject& icon);

// The option icons' activation: outside edit mode, a left click this pass inside the
// icon's sprite (world coordinates), or MenuConfirm pressed while the node is current.
bool IsActivated(const GameObject& icon);

}  // namespace MapIconParts
