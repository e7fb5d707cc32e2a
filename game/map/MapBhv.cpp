#include "game/map/MapBhv.h"

#include <algorithm>
#include <map>
#include <string>

#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"

namespace {

void LinkOnce(MapNodeCmp& from, MapNodeCmp& to) {
    if (std::find(from.Neighbours.begin(), from.Neighbours.end(), &to) == from.Neighbours.end()) {
        from.Neighbours.push_back(&to);
    }
}

}  // namespace

void MapBhv::Update() {
    Nodes.clear();
    CollectNodes(*Owner);

    std::map<std::string, MapNodeCmp*> byName;
    for (MapNodeCmp* node : Nodes) {
        byName[node->GetName()] = node;  // a later node of the same name wins
        node->Neighbours.clear();
        node->Map = this;
    }
    for (MapNodeCmp* node : Nodes) {
        for (const std::string* name :
             {&node->Connection1, &node->Connection2, &node->Connection3, &node->Connection4}) {
            if (name->empty()) {
                continue;
            }
            const auto found = byName.find(*name);
            if (found == byName.end()) {
                continue;
            }
            LinkOnce(*node, *found->second);
            LinkOnce(*found->second, *node);
        }
    }
}

void MapBhv::CollectNodes(GameObject& object) {
    if (MapNodeCmp* node = object.GetComponent<MapNodeCmp>()) {
        Nodes.push_back(node);
    }
    for (GameObject* child : object.Children) {
        CollectNodes(*child);
    }
}
