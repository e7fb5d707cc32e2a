#include "object/PropertyRegistration.h"

#include "object/PropertyText.h"

std::vector<SubProperty> PropertyRegistration::MakeSubProperties(const std::string& propertyName) const {
    std::vector<SubProperty> parts;
    for (int index = 0;; ++index) {
        parts.push_back(MakeSubProperty(propertyName, index));
        if (parts.back().IsLastComponent) {
            return parts;
        }
    }
}

void CopyPropertyThroughText(const PropertyRegistration& source, PropertyRegistration& dest) {
    const SubProperty sourcePart = source.MakeSubProperty("", 0);
    if (!sourcePart.IsEmpty()) {
        SubProperty destPart = dest.MakeSubProperty("", 0);
        PropertyFromText(destPart, PropertyToText(sourcePart));
    }
}
