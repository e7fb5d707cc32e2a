#pragma once

// What the gameplay benchmarks share: a clock that never sleeps, the repository's
// content, and property text set on a live component.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "object/Component.h"
#include "object/GameObject.h"
#include "object/IEditable.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"
#include "object/SubProperty.h"
#include "platform/Clock.h"

namespace bench {

// Moves one fixed step per pass, so the loop never sleeps.
class StepClock final : public Clock {
public:
    int64_t Now() const override { return Time; }
    int64_t TicksPerSecond() const override { return 60000; }
    uint32_t TimerResolutionMs() const override { return 1; }
    void SleepMs(uint32_t ms) override { Time += ms * 60; }
    int64_t Time = 1000000;
};

inline std::filesystem::path SourceContent() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return source != nullptr ? std::filesystem::path(source) / "Content"
                             : std::filesystem::path(__FILE__).parent_path().parent_path() / "Content";
}

// The property's text on every component of that type name on the object.
inline void SetText(GameObject* object, const std::string& type, const std::string& name, const std::string& text) {
    for (Component* component : object->Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && gPrefabManager->GetComponentTypeName(editable) == type) {
            SubProperty part = editable->FindProperty(name)->MakeSubProperty(name, 0);
            PropertyFromText(part, text);
        }
    }
}

}  // namespace bench
