#include "fx/EmitterRequests.h"

#include <memory>

#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"

std::map<std::string, ParticleRequest> ParticlesAskedForByEmitters() {
    std::map<std::string, ParticleRequest> asked;
    if (gPrefabManager == nullptr) {
        return asked;
    }
    for (const auto& [name, prefab] : gPrefabManager->Prefabs) {
        if (prefab == nullptr) {
            continue;
        }
        for (const std::unique_ptr<PrefabComponent>& component : prefab->Components) {
            const auto* text = dynamic_cast<const TypedPropertyRegistration<std::string>*>(
                component->FindProperty(kParticlePrefabProperty));
            if (text != nullptr && !text->Get().empty()) {
                asked.emplace(text->Get(), ParticleRequest{name, component->TypeName});
            }
        }
    }
    return asked;
}
