#include "game/map/MapNodeCmp.h"

#include "object/GameObject.h"

MapNodeCmp::MapNodeCmp() {
    RegisterProperty(&Connection1, "Connection1");
    RegisterProperty(&Connection2, "Connection2");
    RegisterProperty(&Connection3, "Connection3");
    RegisterProperty(&Connection4, "Connection4");
    RegisterProperty(&IsLocked, "IsLocked");
}

std::string MapNodeCmp::GetName() const {
    return Owner != nullptr ? Owner->Name : std::string();
}
