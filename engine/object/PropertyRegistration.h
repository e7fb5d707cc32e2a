#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "object/PropertyValueTypes.h"
#include "object/SubProperty.h"

// Typed handle on one property value of a component (or of a prefab's holder).
class PropertyRegistration {
public:
    PropertyRegistration(const std::type_info& type, bool ownsValue) : Type(&type), OwnsValue(ownsValue) {}
    PropertyRegistration(const PropertyRegistration&) = delete;
    PropertyRegistration& operator=(const PropertyRegistration&) = delete;
    virtual ~PropertyRegistration() = default;

    // Writes this handle's value into dest. Resources go through their names; a dest
    // of another value type, or one without a value, is left unchanged.
    virtual void CopyTo(PropertyRegistration* dest) const = 0;
    // A new owning handle with a default value (value-initialised; a colour starts as
    // this handle's colour), to hold a prefab's property value. Resources are held by
    // name, as a std::string.
    virtual std::unique_ptr<PropertyRegistration> CreateValueHolder() const = 0;
    // A new handle of the same type with no value: its parts read as "".
    virtual std::unique_ptr<PropertyRegistration> CreateEmptyHolder() const = 0;
    // The part componentIndex of this value. The part writes through this handle.
    virtual SubProperty MakeSubProperty(const std::string& propertyName, int componentIndex) const = 0;

    // Every part, index 0 up to the last one.
    std::vector<SubProperty> MakeSubProperties(const std::string& propertyName) const;

    const std::type_info* Type;
    bool OwnsValue;
};

// The value of type T behind a handle, whichever way it is reached.
template <class T>
class TypedPropertyRegistration : public PropertyRegistration {
    static_assert(IsPropertyValueType<T>, "not a property value type");

public:
    explicit TypedPropertyRegistration(bool ownsValue) : PropertyRegistration(typeid(T), ownsValue) {}

    virtual bool HasValue() const = 0;
    // T's default when the handle has no value.
    virtual T Get() const = 0;
    // Nothing when the handle has no value.
    virtual void Set(const T& value) = 0;

    void CopyTo(PropertyRegistration* dest) const override;
    std::unique_ptr<PropertyRegistration> CreateValueHolder() const override;
    std::unique_ptr<PropertyRegistration> CreateEmptyHolder() const override;
};

// Points at a component's member field, or owns a heap value (a prefab holder).
template <class T>
class PropertyRegistrationImpl final : public TypedPropertyRegistration<T> {
public:
    // A handle on a field the component owns; null gives an empty holder.
    explicit PropertyRegistrationImpl(T* field) : TypedPropertyRegistration<T>(false), Value(field) {}
    // A handle owning its own value.
    static std::unique_ptr<PropertyRegistrationImpl> MakeOwning(T initial = T{}) {
        return std::unique_ptr<PropertyRegistrationImpl>(new PropertyRegistrationImpl(Owning{}, std::move(initial)));
    }

    bool HasValue() const override { return Value != nullptr; }
    T Get() const override { return Value != nullptr ? *Value : T{}; }
    void Set(const T& value) override {
        if (Value != nullptr) {
            *Value = value;
        }
    }
    SubProperty MakeSubProperty(const std::string& propertyName, int componentIndex) const override {
        return SubProperty(this->Type, static_cast<void*>(Value), propertyName, componentIndex);
    }

    T* Value;

private:
    // Tagged: for a pointer type T the field constructor would take the same argument.
    struct Owning {};
    PropertyRegistrationImpl(Owning, T initial)
        : TypedPropertyRegistration<T>(true), mOwned(std::make_unique<T>(std::move(initial))) {
        Value = mOwned.get();
    }

    std::unique_ptr<T> mOwned;
};

// Reaches the value through a getter and a setter bound to the component, for values
// whose change has effects (physics bodies, sprites, text).
template <class T>
class PropertyProxyImpl final : public TypedPropertyRegistration<T> {
public:
    PropertyProxyImpl(std::function<T()> getter, std::function<void(T)> setter)
        : TypedPropertyRegistration<T>(false), Getter(std::move(getter)), Setter(std::move(setter)) {}

    bool HasValue() const override { return static_cast<bool>(Getter); }
    T Get() const override { return Getter ? Getter() : T{}; }
    void Set(const T& value) override {
        if (Setter) {
            Setter(value);
        }
    }
    SubProperty MakeSubProperty(const std::string& propertyName, int componentIndex) const override {
        // The part calls back into this handle; constness of a handle is shallow.
        return SubProperty(this->Type, const_cast<PropertyProxyImpl*>(this), propertyName, componentIndex);
    }

    std::function<T()> Getter;
    std::function<void(T)> Setter;
};

// Copies a resource reference between two handles through its text (its name).
void CopyPropertyThroughText(const PropertyRegistration& source, PropertyRegistration& dest);

template <class T>
void TypedPropertyRegistration<T>::CopyTo(PropertyRegistration* dest) const {
    if (IsResourceReference<T> || IsResourceReferenceType(*dest->Type)) {
        CopyPropertyThroughText(*this, *dest);
        return;
    }
    auto* typedDest = dynamic_cast<TypedPropertyRegistration<T>*>(dest);
    if (typedDest != nullptr && HasValue() && typedDest->HasValue()) {
        typedDest->Set(Get());
    }
}

template <class T>
std::unique_ptr<PropertyRegistration> TypedPropertyRegistration<T>::CreateValueHolder() const {
    if constexpr (IsResourceReference<T>) {
        return PropertyRegistrationImpl<std::string>::MakeOwning();
    } else if constexpr (std::is_same_v<T, Color>) {
        // A file may give only one of a colour's two parts; the other then keeps the
        // value of the handle the holder was made from (the type's default instance).
        return PropertyRegistrationImpl<T>::MakeOwning(Get());
    } else {
        return PropertyRegistrationImpl<T>::MakeOwning();
    }
}

template <class T>
std::unique_ptr<PropertyRegistration> TypedPropertyRegistration<T>::CreateEmptyHolder() const {
    return std::make_unique<PropertyRegistrationImpl<T>>(static_cast<T*>(nullptr));
}
