#include "object/IEditable.h"

#include "object/PropertyRegistration.h"

IEditable::~IEditable() {
    for (auto& entry : Properties) {
        delete entry.second;
    }
    Properties.clear();
}
