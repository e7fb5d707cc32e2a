// Property text of every type the game registers: the first byte picks a property part
// of a component type's default instance, the rest is the text read into it. What is
// read must write back as text that reads to the same value.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/Application.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/PropertyRegistration.h"
#include "object/PropertyText.h"
#include "object/SubProperty.h"
#include "program/ComponentTable.h"

namespace {

struct PartChoice {
    IEditable* Holder;
    std::string Property;
    int Part;
};

// One fresh instance per registered type, each attached to an object of its own as the
// inspector finds them (not started).
std::vector<PartChoice>& Choices() {
    static std::vector<PartChoice> choices = [] {
        std::vector<PartChoice> all;
        std::filesystem::create_directories(FuzzFolder() / "Prefabs");
        static PrefabManager registry;
        registry.Init(RegisterComponentTypes);
        for (const auto& [name, entry] : registry.ComponentTypes) {
            auto* object = new GameObject();
            gRootObject->AddChild(object);
            IEditable* instance = nullptr;
            try {
                instance = registry.CreateAndAttach(name, object, "fuzz");
            } catch (const std::runtime_error&) {
                continue;  // a type that is no component
            }
            for (const auto& [property, registration] : instance->Properties) {
                const int parts = static_cast<int>(registration->MakeSubProperties(property).size());
                for (int part = 0; part < parts; ++part) {
                    all.push_back({instance, property, part});
                }
            }
        }
        return all;
    }();
    return choices;
}

std::string PartText(const PartChoice& choice) {
    return PropertyToText(choice.Holder->FindProperty(choice.Property)->MakeSubProperty(choice.Property, choice.Part));
}

void ReadPart(const PartChoice& choice, const std::string& text) {
    SubProperty part = choice.Holder->FindProperty(choice.Property)->MakeSubProperty(choice.Property, choice.Part);
    PropertyFromText(part, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureHeadlessApplication();
    gGameConfig->DevelopmentContentPath = FuzzFolder().string();
    if (size == 0) {
        return 0;
    }
    const std::vector<PartChoice>& choices = Choices();
    const PartChoice& choice = choices[data[0] % choices.size()];
    ReadPart(choice, std::string(InputText(data + 1, size - 1)));
    const std::string written = PartText(choice);
    ReadPart(choice, written);
    const std::string again = PartText(choice);
    if (again != written) {
        std::fprintf(stderr, "%s.%s part %d: \"%s\" reads back as \"%s\"\n", "component", choice.Property.c_str(),
                     choice.Part, written.c_str(), again.c_str());
        std::abort();
    }
    return 0;
}
