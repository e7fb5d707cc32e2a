#include "object/SubProperty.h"

#include <utility>

#include "object/Color.h"
#include "object/Rect.h"
#include "object/Vector2.h"

namespace {

struct PartLayout {
    const std::type_info* PropertyType;
    const std::type_info* ComponentType;
    const char* const* Names;
    int Count;
};

constexpr const char* kColorParts[] = {"A", "Rgb"};
constexpr const char* kVectorParts[] = {"X", "Y"};
constexpr const char* kRectParts[] = {"X", "Y", "Width", "Height"};

const PartLayout kCompoundLayouts[] = {
    {&typeid(Color), &typeid(std::string), kColorParts, 2},  // both parts edited as text
    {&typeid(Vector2), &typeid(float), kVectorParts, 2},
    {&typeid(Rect), &typeid(float), kRectParts, 4},
};

}  // namespace

SubProperty::SubProperty(const std::type_info* propertyType, void* value, std::string propertyName, int index)
    : ComponentIndex(index), PropertyName(std::move(propertyName)), PropertyType(propertyType), Value(value) {
    InitComponent();
}

SubProperty::SubProperty(const std::type_info* propertyType, PropertyRegistration* proxy, std::string propertyName,
                         int index)
    : ComponentIndex(index), PropertyName(std::move(propertyName)), PropertyType(propertyType), Proxy(proxy) {
    InitComponent();
}

void SubProperty::InitComponent() {
    for (const PartLayout& layout : kCompoundLayouts) {
        if (PropertyType != nullptr && *PropertyType == *layout.PropertyType) {
            const bool inRange = ComponentIndex >= 0 && ComponentIndex < layout.Count;
            ComponentName = inRange ? layout.Names[ComponentIndex] : "";
            ComponentType = layout.ComponentType;
            IsLastComponent = ComponentIndex >= layout.Count - 1;
            return;
        }
    }
    ComponentName.clear();
    ComponentType = PropertyType;
    IsLastComponent = true;
}
