#include "object/ThingCmp.h"

ThingCmp::ThingCmp() {
    RegisterProperty(&Layer, "Layer");
    RegisterProperty(&IsMutable, "IsMutable");
}

ThingCmp::~ThingCmp() {
    // Bound callbacks may hold pointers into the object: drop them before detaching.
    for (std::function<void()>& callback : Callbacks) {
        callback = nullptr;
    }
}

void ThingCmp::NotifyChanged() const {
    if (Callbacks[ChangedCallback]) {
        Callbacks[ChangedCallback]();
    }
}
