#pragma once

#include <string>
#include <vector>

#include "object/Component.h"
#include "object/IEditable.h"

class MapBhv;

// A place on the map the cursor can stand on. The content names up to four neighbours;
// the map links them both ways every frame, and the icons rewrite the lock.
class MapNodeCmp : public Component, public IEditable {
public:
    MapNodeCmp();

    // The owner object's name, "" without an owner.
    std::string GetName() const;

    // Not enterable by the cursor (unless it may visit locked nodes) nor activatable.
    bool IsLocked = false;
    std::string Connection1;
    std::string Connection2;
    std::string Connection3;
    std::string Connection4;
    // The level this node stands for, written by its icon; "" for none.
    std::string LevelObjectName;
    bool IsCurrent = false;
    // Rebuilt by the map every frame.
    std::vector<MapNodeCmp*> Neighbours;
    MapBhv* Map = nullptr;
};
