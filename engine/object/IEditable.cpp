#include "object/IEditable.h"

IEditable::~IEditable() {
    for (auto& entry : Properties) {
        delete entry.second;
    }
    Properties.clear();
}

PropertyRegistration* IEditable::FindProperty(const std::string& name) const {
    const auto it = Properties.find(name);
    return it != Properties.end() ? it->second : nullptr;
}

void IEditable::SetProperty(const std::string& name, std::unique_ptr<PropertyRegistration> registration) {
    PropertyRegistration*& slot = Properties[name];
    delete slot;
    slot = registration.release();
}
