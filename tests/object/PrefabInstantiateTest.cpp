#include <memory>
#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "object/ContentWarning.h"
#include "object/Pos2dCmp.h"
#include "object/ThingCmp.h"

namespace {

class PrefabInstantiateTest : public PrefabFixture {
protected:
    void SetUp() override {
        WritePrefab("Grandchild", R"({ "Components": { "StartLogBhv": { "Tag": "g" } }, "AutoCreate": "" })");
        WritePrefab("Child", R"({
            "Components": { "StartLogBhv": { "Tag": "c" }, "Pos2dCmp": { "Pos": { "X": "1", "Y": "2" } } },
            "AutoCreate": [ { "Prefab": "Grandchild" }, { "Prefab": "Grandchild", "Name": "Second" } ]
        })");
        WritePrefab("Top", R"({
            "Components": { "StartLogBhv": { "Tag": "t1" }, "StartLogBhv": { "Tag": "t2" } },
            "AutoCreate": [
                { "Prefab": "Child" },
                { "Prefab": "Child", "Name": "Moved",
                  "InstanceProperties": { "Pos2dCmp": { "Pos": { "X": "5", "Y": "6" } },
                                          "ThingCmp": { "Layer": "3" } } }
            ]
        })");
    }
};

TEST_F(PrefabInstantiateTest, ChildrenStartBeforeParentsAndSiblingsInOrder) {
    Init();
    GameObject top("Top");
    // The top object is named after its prefab only once it is built.
    EXPECT_EQ(StartLog(), (std::vector<std::string>{"Grandchild.g", "Second.g", "Child.c", "Grandchild.g", "Second.g",
                                                    "Moved.c", ".t1", ".t2"}));
}

TEST_F(PrefabInstantiateTest, ObjectsAreNamedAfterTheirEntriesOrPrefabs) {
    Init();
    GameObject top("Top");
    EXPECT_EQ(top.Name, "Top");
    EXPECT_EQ(top.PrefabName, "Top");
    EXPECT_EQ(top.Parent, nullptr);
    ASSERT_EQ(top.Children.size(), 2u);
    EXPECT_EQ(top.Children[0]->Name, "Child");
    EXPECT_EQ(top.Children[1]->Name, "Moved");
    EXPECT_EQ(top.Children[1]->PrefabName, "Child");
    EXPECT_EQ(top.Children[1]->Parent, &top);
    EXPECT_EQ(top.Children[1]->Children[1]->Name, "Second");
    EXPECT_EQ(top.Children[1]->Children[1]->PrefabName, "Grandchild");
}

TEST_F(PrefabInstantiateTest, OverridesChangeTheFirstComponentOfTheirTypeOrAddOne) {
    Init();
    GameObject top("Top");
    const GameObject* plain = top.Children[0];
    const GameObject* moved = top.Children[1];
    EXPECT_EQ(plain->Pos2d->Pos, Vector2(1.0f, 2.0f));
    EXPECT_EQ(moved->Pos2d->Pos, Vector2(5.0f, 6.0f));
    EXPECT_EQ(moved->GetComponentAt<Pos2dCmp>(1), nullptr);
    EXPECT_EQ(plain->Thing, nullptr);
    ASSERT_NE(moved->Thing, nullptr);
    EXPECT_EQ(moved->Thing->Layer, 3);
}

TEST_F(PrefabInstantiateTest, ComponentsAreMadeByTheirRegisteredCreators) {
    Init();
    GameObject top("Top");
    const auto* log = top.GetComponent<StartLogBhv>();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(*log->Type, typeid(StartLogBhv));
    EXPECT_EQ(Manager.GetComponentTypeName(log), "StartLogBhv");
    EXPECT_EQ(log->Starts, 1);
}

TEST_F(PrefabInstantiateTest, AnObjectThatAlreadyHasBehavioursStartsOnlyTheNewOnes) {
    Init();
    GameObject object;
    object.Name = "Host";
    auto* existing = new StartLogBhv();
    existing->Tag = "old";
    object.AddComponent(existing);
    Manager.FindPrefab("Grandchild")->Instantiate(&object);
    EXPECT_EQ(existing->Starts, 0);
    EXPECT_EQ(StartLog(), (std::vector<std::string>{"Host.g"}));
    EXPECT_EQ(object.Name, "Host");
    EXPECT_EQ(object.PrefabName, "Grandchild");
}

TEST_F(PrefabInstantiateTest, ProxyPropertiesAreWrittenThroughTheirSetters) {
    WritePrefab("Sample", R"({ "Components": { "SampleCmp": { "Offset": { "X": "1", "Y": "2" }, "Label": "a\\nb" } },
                               "AutoCreate": "" })");
    Init();
    GameObject object("Sample");
    const auto* sample = object.GetComponent<SampleCmp>();
    EXPECT_EQ(sample->GetOffset(), Vector2(1.0f, 2.0f));
    EXPECT_EQ(sample->OffsetSets, 1);
    EXPECT_EQ(sample->Label, "a\nb");
    // Properties the prefab does not give keep the constructor's values.
    EXPECT_EQ(sample->Speed, 1.0f);
    EXPECT_EQ(sample->Tint, Color(255, 255, 255, 255));
}

TEST_F(PrefabInstantiateTest, AnAutoCreateCycleIsToldOnceAndCutAtTheRepeat) {
    WritePrefab("A", R"({ "Components": { "StartLogBhv": { "Tag": "a" } }, "AutoCreate": [ { "Prefab": "B" } ] })");
    WritePrefab("B", R"({ "Components": "", "AutoCreate": [ { "Prefab": "C" } ] })");
    WritePrefab("C", R"({ "Components": "", "AutoCreate": [ { "Prefab": "Grandchild" }, { "Prefab": "A" } ] })");
    WritePrefab("Self", R"({ "Components": "", "AutoCreate": [ { "Prefab": "Self" }, { "Prefab": "Grandchild" } ] })");
    Init();
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& text) { told.push_back(text); });
    for (int i = 0; i < 2; ++i) {
        GameObject a("A");
        ASSERT_EQ(a.Children.size(), 1u);
        const GameObject* c = a.Children[0]->Children.at(0);
        EXPECT_EQ(c->PrefabName, "C");
        // C keeps its other entry; the one that would build A again is left out.
        ASSERT_EQ(c->Children.size(), 1u);
        EXPECT_EQ(c->Children[0]->PrefabName, "Grandchild");
        EXPECT_EQ(a.GetComponent<StartLogBhv>()->Starts, 1);

        GameObject self("Self");
        ASSERT_EQ(self.Children.size(), 1u);
        EXPECT_EQ(self.Children[0]->PrefabName, "Grandchild");
    }
    // The same prefab twice side by side is no cycle.
    GameObject top("Top");
    SetContentWarningListener(nullptr);
    EXPECT_EQ(told, (std::vector<std::string>{
                        (PrefabFolder() / "C.json").generic_string() +
                            ": auto-create cycle: A -> B -> C -> A; the entry is skipped",
                        (PrefabFolder() / "Self.json").generic_string() +
                            ": auto-create cycle: Self -> Self; the entry is skipped",
                    }));
}

TEST_F(PrefabInstantiateTest, AnAutoCreatedPrefabThatIsNotLoadedIsSkippedAndToldOncePerFile) {
    WritePrefab("Parent", R"({ "Components": { "StartLogBhv": { "Tag": "p" } },
                               "AutoCreate": [ { "Prefab": "Missing" }, { "Prefab": "Grandchild" },
                                               { "Prefab": "Missing", "Name": "Again" } ] })");
    WritePrefab("Other", R"({ "Components": "", "AutoCreate": [ { "Prefab": "Missing" } ] })");
    Init();
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& text) { told.push_back(text); });
    for (int i = 0; i < 2; ++i) {
        GameObject parent("Parent");
        ASSERT_EQ(parent.Children.size(), 1u);
        EXPECT_EQ(parent.Children[0]->PrefabName, "Grandchild");
        EXPECT_EQ(parent.GetComponent<StartLogBhv>()->Starts, 1);
    }
    GameObject other("Other");
    SetContentWarningListener(nullptr);
    EXPECT_EQ(told,
              (std::vector<std::string>{
                  (PrefabFolder() / "Parent.json").generic_string() +
                      ": prefab 'Missing' is not loaded (auto-created by prefab 'Parent'); the entry is skipped",
                  (PrefabFolder() / "Other.json").generic_string() +
                      ": prefab 'Missing' is not loaded (auto-created by prefab 'Other'); the entry is skipped"}));
    EXPECT_TRUE(other.Children.empty());

    // Asking for a missing prefab by name is the caller's fault: it must look first.
    EXPECT_EQ(ContentErrorOf([] { GameObject ghost("Ghost"); }),
              (PrefabFolder() / "Ghost.json").generic_string() + ": prefab 'Ghost' is not loaded (requested by name)");
    EXPECT_EQ(Manager.FindPrefab("Ghost"), nullptr);
    EXPECT_EQ(Manager.Prefabs.count("Ghost"), 0u);
}

TEST_F(PrefabInstantiateTest, ApplyingAnUnknownTypeOrPropertyIsAnError) {
    Init();
    Prefab* prefab = Manager.AddPrefab(std::make_unique<Prefab>(), "Edited");
    auto entry = std::make_unique<PrefabComponent>();
    entry->TypeName = "ThingCmp";
    float stray = 0.0f;
    entry->RegisterProperty(&stray, "Weight");
    prefab->Components.push_back(std::move(entry));
    GameObject object;
    EXPECT_EQ(
        ContentErrorOf([&] { prefab->Instantiate(&object); }),
        (PrefabFolder() / "Edited.json").generic_string() + ": component type 'ThingCmp' has no property 'Weight'");

    prefab->Components.back()->TypeName = "Gone";
    EXPECT_EQ(ContentErrorOf([&] { prefab->Instantiate(&object); }),
              (PrefabFolder() / "Edited.json").generic_string() + ": component type 'Gone' is not registered");
}

}  // namespace

TEST_F(PrefabInstantiateTest, RecreateBuildsAFreshCopyBeforeTheOldOneAndQueuesTheOld) {
    Init();
    GameObject root;
    root.AddChild(new GameObject("Grandchild"));
    auto* edited = new GameObject("Child");
    root.AddChild(edited);
    root.AddChild(new GameObject("Grandchild"));
    edited->Name = "Renamed";
    edited->Pos2d->Pos = Vector2(9.0f, 9.0f);
    delete edited->Children.back();

    GameObject* fresh = edited->Recreate();
    ASSERT_NE(fresh, nullptr);
    ASSERT_EQ(root.Children.size(), 4u);
    EXPECT_EQ(root.Children[1], fresh);
    EXPECT_EQ(root.Children[2], edited);
    EXPECT_EQ(fresh->Parent, &root);
    EXPECT_EQ(fresh->PrefabName, "Child");
    EXPECT_EQ(fresh->Name, "Child");
    EXPECT_EQ(fresh->Pos2d->Pos, Vector2(1.0f, 2.0f));
    EXPECT_EQ(fresh->Children.size(), 2u);
    EXPECT_TRUE(edited->PendingDestroy);
    EXPECT_FALSE(fresh->PendingDestroy);

    FlushDeleteQueues();
    ASSERT_EQ(root.Children.size(), 3u);
    EXPECT_EQ(root.Children[1], fresh);
}

TEST_F(PrefabInstantiateTest, RecreateWithoutAParentChangesNothing) {
    Init();
    GameObject lone("Child");
    const size_t startsBefore = StartLog().size();
    EXPECT_EQ(lone.Recreate(), nullptr);
    EXPECT_FALSE(lone.PendingDestroy);
    EXPECT_EQ(StartLog().size(), startsBefore);
}
