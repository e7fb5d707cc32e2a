#pragma once

#include <string>
#include <typeinfo>

class PropertyRegistration;
template <class T>
class TypedPropertyRegistration;

// One editable part of a property value, the unit that the text conversion reads and
// writes: "X"/"Y" of a Vector2, "X"/"Y"/"Width"/"Height" of a Rect, "A"/"Rgb" of a
// Color, one unnamed part for every other type. It reaches the value either through a
// pointer (Value) or through a proxy's getter and setter (Proxy), never both; a part
// with neither reads as nothing and ignores writes.
class SubProperty {
public:
    SubProperty() = default;
    SubProperty(const std::type_info* propertyType, void* value, std::string propertyName, int index);
    SubProperty(const std::type_info* propertyType, PropertyRegistration* proxy, std::string propertyName, int index);

    // Sets the part's name, edit type and last flag from the property type and index.
    void InitComponent();

    bool IsEmpty() const { return Value == nullptr && Proxy == nullptr; }
    template <class T>
    bool HoldsType() const {
        return PropertyType != nullptr && *PropertyType == typeid(T);
    }

    // The whole value (not just this part). A value of another type, or an empty part,
    // reads as T's default.
    template <class T>
    T GetValue() const;
    // Writes the whole value; nothing for an empty part or a value of another type.
    template <class T>
    void SetValue(const T& value) const;

    int ComponentIndex = 0;
    bool IsLastComponent = true;
    std::string ComponentName;
    std::string PropertyName;
    const std::type_info* ComponentType = nullptr;
    const std::type_info* PropertyType = nullptr;
    void* Value = nullptr;
    PropertyRegistration* Proxy = nullptr;
};

// The typed handles that GetValue and SetValue reach through.
#include "object/PropertyRegistration.h"

template <class T>
T SubProperty::GetValue() const {
    if (!HoldsType<T>()) {
        return T{};
    }
    if (Proxy != nullptr) {
        return static_cast<const TypedPropertyRegistration<T>*>(Proxy)->Get();
    }
    return Value != nullptr ? *static_cast<const T*>(Value) : T{};
}

template <class T>
void SubProperty::SetValue(const T& value) const {
    if (!HoldsType<T>()) {
        return;
    }
    if (Proxy != nullptr) {
        static_cast<TypedPropertyRegistration<T>*>(Proxy)->Set(value);
    } else if (Value != nullptr) {
        *static_cast<T*>(Value) = value;
    }
}
