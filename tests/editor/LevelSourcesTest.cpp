// "Lvl_Sources" against the committed levels: a level saved by the editor keeps every
// thing and every per-thing property that its committed file gives.

#include "EditorTestSupport.h"
#include "editor/level/LevelSnapshot.h"
#include "object/PrefabComponent.h"
#include "object/PropertyText.h"

namespace {

class LevelSourcesTest : public EditorContentTest {};

const AutoCreate* FindSource(const Prefab& sources, const std::string& prefabName) {
    for (const auto& entry : sources.AutoCreates) {
        if (entry->Prefab == prefabName) {
            return entry.get();
        }
    }
    return nullptr;
}

const PrefabComponent* FindListed(const AutoCreate& source, const std::string& typeName) {
    for (const auto& listed : source.InstanceProperties) {
        if (listed->TypeName == typeName) {
            return listed.get();
        }
    }
    return nullptr;
}

TEST_F(LevelSourcesTest, EveryThingOfEveryLevelHasASourceListingTheValuesItsFileSets) {
    LoadContent();
    const Prefab* sources = Prefabs.FindPrefab("Lvl_Sources");
    ASSERT_NE(sources, nullptr);
    int levels = 0;
    for (const auto& [name, level] : Prefabs.Prefabs) {
        if (name.rfind("Lvl_", 0) != 0 || level.get() == sources) {
            continue;
        }
        ++levels;
        for (const auto& thing : level->AutoCreates) {
            const AutoCreate* source = FindSource(*sources, thing->Prefab);
            ASSERT_NE(source, nullptr) << name << ": " << thing->Prefab;
            for (const auto& given : thing->InstanceProperties) {
                const PrefabComponent* listed = FindListed(*source, given->TypeName);
                ASSERT_NE(listed, nullptr) << name << ": " << thing->Prefab << " " << given->TypeName;
                for (const auto& [property, value] : given->Properties) {
                    EXPECT_NE(listed->FindProperty(property), nullptr)
                        << name << ": " << thing->Prefab << " " << given->TypeName << "." << property;
                }
            }
        }
    }
    EXPECT_GE(levels, 28);

    // Each listed property exists on a component that the placed prefab itself has, so
    // a thing placed in the editor can be saved whole.
    for (const auto& source : sources->AutoCreates) {
        const Prefab* prefab = Prefabs.FindPrefab(source->Prefab);
        ASSERT_NE(prefab, nullptr) << source->Prefab;
        for (const auto& listed : source->InstanceProperties) {
            const bool present = std::any_of(prefab->Components.begin(), prefab->Components.end(),
                                             [&](const auto& c) { return c->TypeName == listed->TypeName; });
            EXPECT_TRUE(present) << source->Prefab << " has no " << listed->TypeName;
            const IEditable* defaults = Prefabs.FindDefaultInstance(listed->TypeName);
            ASSERT_NE(defaults, nullptr) << listed->TypeName;
            for (const auto& [property, value] : listed->Properties) {
                EXPECT_NE(defaults->FindProperty(property), nullptr) << listed->TypeName << "." << property;
            }
        }
    }
}

// What the sources do not list is left out of a snapshot, not fatal: an unknown
// prefab, a component the thing lacks, a property its component does not have.
TEST_F(LevelSourcesTest, ASnapshotRecordsOnlyWhatTheSourcesListAndTheThingHas) {
    const std::string thing = R"({ "Pos2dCmp": { "Pos": { "X": "0", "Y": "0" } }, "ThingCmp": { "Layer": "1" } })";
    WritePrefab("Thing", thing);
    WritePrefab("Stranger", thing);
    WritePrefab("Lvl_Sources", "\"\"", R"([ { "Prefab": "Thing", "InstanceProperties": {
        "Pos2dCmp": { "Pos": { "X": "0", "Y": "0" }, "NoSuchProperty": "1" },
        "TintCmp": { "Tint": { "A": "1", "Rgb": "ffffff" } } } } ])");
    LoadContent();
    GameObject* level = Build("Thing");
    level->Name = "Level";
    auto* group = new GameObject();
    group->Name = "Layer1";
    level->AddChild(group);
    auto* mutableGroup = new GameObject();
    mutableGroup->Name = "Layer2Mut";
    level->AddChild(mutableGroup);
    for (const char* name : {"Thing", "Stranger"}) {
        auto* placed = new GameObject(name);
        placed->SetPos(Vector2(3.0f, -2.0f));
        group->AddChild(placed);
    }

    const std::unique_ptr<Prefab> snapshot =
        TakeLevelSnapshot(*level, *Prefabs.FindPrefab("Lvl_Sources"), false, "Lvl_Test");
    EXPECT_EQ(snapshot->Name, "Lvl_Test");
    ASSERT_EQ(snapshot->AutoCreates.size(), 2u);
    const AutoCreate& known = *snapshot->AutoCreates[0];
    ASSERT_EQ(known.InstanceProperties.size(), 1u);
    const PrefabComponent& position = *known.InstanceProperties.front();
    EXPECT_EQ(position.TypeName, "Pos2dCmp");
    ASSERT_EQ(position.Properties.size(), 1u);
    const PropertyRegistration* pos = position.FindProperty("Pos");
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(PropertyToText(pos->MakeSubProperty("Pos", 0)), "3");
    EXPECT_EQ(PropertyToText(pos->MakeSubProperty("Pos", 1)), "-2");
    EXPECT_EQ(snapshot->AutoCreates[1]->Prefab, "Stranger");
    EXPECT_TRUE(snapshot->AutoCreates[1]->InstanceProperties.empty());
    // The mutable snapshot holds only the mutable groups: nothing here.
    EXPECT_TRUE(TakeLevelSnapshot(*level, *Prefabs.FindPrefab("Lvl_Sources"), true, "Lvl_Test")->AutoCreates.empty());
}

}  // namespace
