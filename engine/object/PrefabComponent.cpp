#include "object/PrefabComponent.h"

std::unique_ptr<PrefabComponent> PrefabComponent::Clone(const PrefabComponent& source) {
    auto copy = std::make_unique<PrefabComponent>();
    copy->TypeName = source.TypeName;
    copy->Type = source.Type;
    for (const auto& [name, holder] : source.Properties) {
        std::unique_ptr<PropertyRegistration> copiedHolder = holder->CreateValueHolder();
        holder->CopyTo(copiedHolder.get());
        copy->SetProperty(name, std::move(copiedHolder));
    }
    return copy;
}
