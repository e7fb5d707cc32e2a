#pragma once

#include <map>
#include <string>
#include <typeinfo>

class PropertyRegistration;

// Owner of named properties, seen by prefab files and the inspector as text.
class IEditable {
public:
    IEditable() = default;
    IEditable(const IEditable&) = delete;
    IEditable& operator=(const IEditable&) = delete;
    // Deletes every registration.
    virtual ~IEditable();

    // Ordered by byte-wise name so every walk lists properties in ascending name order.
    std::map<std::string, PropertyRegistration*> Properties;
    // The concrete component class, set by the component factory; null otherwise.
    const std::type_info* Type = nullptr;
};
