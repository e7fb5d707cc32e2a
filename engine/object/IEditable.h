#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>

#include "object/PropertyRegistration.h"

// Owner of named properties, seen by prefab files and the inspector as text.
class IEditable {
public:
    IEditable() = default;
    IEditable(const IEditable&) = delete;
    IEditable& operator=(const IEditable&) = delete;
    // Deletes every registration.
    virtual ~IEditable();

    // A property that is a member field of the component. A second registration under
    // the same name replaces the first.
    template <class T>
    void RegisterProperty(T* field, const std::string& name) {
        SetProperty(name, std::make_unique<PropertyRegistrationImpl<T>>(field));
    }

    // A property reached through the component's getter and setter, for values whose
    // change has effects.
    template <class T>
    void RegisterProxyProperty(std::function<T()> getter, std::function<void(T)> setter, const std::string& name) {
        SetProperty(name, std::make_unique<PropertyProxyImpl<T>>(std::move(getter), std::move(setter)));
    }
    // The same with member functions of the component itself.
    template <class C, class T, class S>
    void RegisterProxyProperty(C* self, T (C::*getter)() const, void (C::*setter)(S), const std::string& name) {
        using Value = std::remove_cvref_t<T>;
        RegisterProxyProperty<Value>([self, getter] { return (self->*getter)(); },
                                     [self, setter](Value v) { (self->*setter)(v); }, name);
    }

    // The registration of that name, or null.
    PropertyRegistration* FindProperty(const std::string& name) const;
    // Stores a registration under name, taking ownership and deleting any previous one.
    void SetProperty(const std::string& name, std::unique_ptr<PropertyRegistration> registration);

    // Ordered by byte-wise name so every walk lists properties in ascending name order.
    std::map<std::string, PropertyRegistration*> Properties;
    // The concrete component class, set by the component factory; null otherwise.
    const std::type_info* Type = nullptr;
};
