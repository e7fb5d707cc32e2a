#pragma once

#include <typeinfo>

// Typed handle on one property value.
class PropertyRegistration {
public:
    virtual ~PropertyRegistration() = default;

    const std::type_info* Type = nullptr;
    bool OwnsValue = false;
};
