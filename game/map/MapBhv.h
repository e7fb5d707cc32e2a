#pragma once

#include <vector>

#include "object/Behavior.h"

class GameObject;
class MapNodeCmp;

// The map's graph: every node in the subtree of its object, linked both ways to the
// neighbours they name. Rebuilt every frame, so icons made or renamed meanwhile join.
class MapBhv : public Behavior {
public:
    void Update() override;

    std::vector<MapNodeCmp*> Nodes;

private:
    void CollectNodes(GameObject& object);
};
