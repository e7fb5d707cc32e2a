#pragma once

#include <memory>
#include <string>
#include <vector>

#include "object/IEditable.h"

// One component of a prefab: a registered type name and an owning value holder for
// each property the file gives. Properties it lacks keep the component's defaults.
class PrefabComponent : public IEditable {
public:
    // A deep copy: same type, every holder copied into a fresh holder.
    static std::unique_ptr<PrefabComponent> Clone(const PrefabComponent& source);

    std::string TypeName;
};

using PrefabComponentList = std::vector<std::unique_ptr<PrefabComponent>>;
