#include <cstdio>
#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "object/Pos2dCmp.h"
#include "object/ThingCmp.h"

namespace {

class PrefabEditingTest : public PrefabFixture {
protected:
    void SetUp() override { Init(); }

    Prefab* Add(const std::string& name) { return Manager.AddPrefab(std::make_unique<Prefab>(), name); }

    // A prefab component of the type with the properties given as (name, text) pairs.
    std::unique_ptr<PrefabComponent> Entry(const std::string& type,
                                           const std::vector<std::pair<std::string, std::string>>& values = {}) {
        auto entry = std::make_unique<PrefabComponent>();
        entry->TypeName = type;
        const IEditable* defaults = Manager.FindDefaultInstance(type);
        entry->Type = defaults->Type;
        for (const auto& [name, text] : values) {
            entry->SetProperty(name, defaults->FindProperty(name)->CreateValueHolder());
            SubProperty part = entry->FindProperty(name)->MakeSubProperty(name, 0);
            PropertyFromText(part, text);
        }
        return entry;
    }
};

TEST_F(PrefabEditingTest, RenamingToTheOwnNameChangesNothing) {
    Prefab* a = Add("A");
    a->Modified = false;
    EXPECT_TRUE(a->MakeNameUnique("A"));
    EXPECT_EQ(a->Name, "A");
    EXPECT_FALSE(a->Modified);
}

TEST_F(PrefabEditingTest, RenamingTakesTheFirstFreeNumberedNameAndReKeys) {
    Prefab* a = Add("A");
    Prefab* b = Add("B");
    Prefab* b1 = Add("B.001");
    ASSERT_TRUE(a->MakeNameUnique("B"));
    EXPECT_EQ(a->Name, "B.002");
    EXPECT_EQ(Manager.FindPrefab("B.002"), a);
    EXPECT_EQ(Manager.FindPrefab("A"), nullptr);
    EXPECT_EQ(Manager.FindPrefab("B"), b);
    EXPECT_EQ(Manager.FindPrefab("B.001"), b1);
    EXPECT_TRUE(a->Modified);
}

TEST_F(PrefabEditingTest, RenamingRefusesNamesThatCannotBeFileNames) {
    Prefab* a = Add("A");
    for (const char* bad : {"", "x/y", "..", "a..b", "c\\d"}) {
        EXPECT_FALSE(a->MakeNameUnique(bad)) << bad;
    }
    EXPECT_EQ(a->Name, "A");
    EXPECT_EQ(Manager.FindPrefab("A"), a);
}

TEST_F(PrefabEditingTest, RenamingAPrefabOutsideTheManagerNeverErasesTheOneUnderItsName) {
    Prefab* stored = Add("Level");
    std::unique_ptr<Prefab> snapshot = Prefab::Clone(*stored);
    ASSERT_TRUE(snapshot->MakeNameUnique("Other"));
    EXPECT_EQ(snapshot->Name, "Other");
    EXPECT_EQ(Manager.FindPrefab("Level"), stored);
    EXPECT_EQ(Manager.FindPrefab("Other"), nullptr);
}

TEST_F(PrefabEditingTest, NumbersContinuePastNineHundredNinetyNine) {
    Add("Crowd");
    for (int i = 1; i <= 999; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "Crowd.%03d", i);
        Add(name);
    }
    EXPECT_EQ(Manager.Prefabs.size(), 1000u);
    Prefab* extra = Add("Crowd");
    EXPECT_EQ(extra->Name, "Crowd.1000");
    EXPECT_EQ(Manager.Prefabs.size(), 1001u);
}

TEST_F(PrefabEditingTest, DuplicateDropsTheNumberAndTakesTheFirstFreeName) {
    Prefab* enemy = Add("Enemy");
    EXPECT_EQ(Prefab::Duplicate(*enemy)->Name, "Enemy.001");
    EXPECT_EQ(Prefab::Duplicate(*Manager.FindPrefab("Enemy.001"))->Name, "Enemy.002");

    Prefab* boss = Add("Boss.003");
    Prefab* copy = Prefab::Duplicate(*boss);
    EXPECT_EQ(copy->Name, "Boss");
    EXPECT_TRUE(copy->Modified);
    EXPECT_EQ(Manager.FindPrefab("Boss"), copy);
    EXPECT_EQ(Manager.FindPrefab("Boss.003"), boss);
}

TEST_F(PrefabEditingTest, DuplicateNeverDisplacesAPrefabNamedLikeATemporaryKey) {
    Prefab* temp = Add("Boss_temp");
    Prefab* boss = Add("Boss");
    Prefab::Duplicate(*boss);
    EXPECT_EQ(Manager.FindPrefab("Boss_temp"), temp);
    EXPECT_NE(Manager.FindPrefab("Boss.001"), nullptr);
    EXPECT_EQ(Manager.Prefabs.size(), 3u);
}

TEST_F(PrefabEditingTest, ClonesAreDeepCopies) {
    Prefab* source = Add("Source");
    source->Components.push_back(Entry("ThingCmp", {{"Layer", "4"}}));
    source->AutoCreates.push_back(std::make_unique<AutoCreate>());
    source->AutoCreates[0]->Owner = source;
    source->AutoCreates[0]->Prefab = "Child";
    source->AutoCreates[0]->InstanceProperties.push_back(Entry("Pos2dCmp"));
    source->Modified = false;

    std::unique_ptr<Prefab> copy = Prefab::Clone(*source);
    EXPECT_EQ(copy->Name, "Source");
    EXPECT_TRUE(copy->Modified);
    ASSERT_EQ(copy->Components.size(), 1u);
    EXPECT_NE(copy->Components[0].get(), source->Components[0].get());
    EXPECT_EQ(*copy->Components[0]->Type, typeid(ThingCmp));
    ASSERT_EQ(copy->AutoCreates.size(), 1u);
    EXPECT_EQ(copy->AutoCreates[0]->Owner, copy.get());
    EXPECT_EQ(copy->AutoCreates[0]->Prefab, "Child");
    EXPECT_EQ(copy->AutoCreates[0]->InstanceProperties.size(), 1u);

    SubProperty copiedLayer = copy->Components[0]->FindProperty("Layer")->MakeSubProperty("Layer", 0);
    EXPECT_EQ(PropertyToText(copiedLayer), "4");
    PropertyFromText(copiedLayer, "9");
    EXPECT_EQ(PropertyToText(source->Components[0]->FindProperty("Layer")->MakeSubProperty("Layer", 0)), "4");
}

TEST_F(PrefabEditingTest, AColourHolderEditedInOnePartKeepsTheTypeDefaultInTheOther) {
    // As the inspector does for a property the prefab does not override yet.
    const PropertyRegistration* tint = Manager.FindDefaultInstance("SampleCmp")->FindProperty("Tint");
    const std::unique_ptr<PropertyRegistration> holder = tint->CreateValueHolder();
    SubProperty rgb = holder->MakeSubProperty("Tint", 1);
    PropertyFromText(rgb, "ff0000");
    EXPECT_EQ(PropertyToText(holder->MakeSubProperty("Tint", 0)), "1");
    EXPECT_EQ(PropertyToText(rgb), "ff0000");
}

TEST_F(PrefabEditingTest, MoveComponentClampsAndReportsWhetherItMoved) {
    Prefab* p = Add("P");
    for (const char* type : {"Pos2dCmp", "ThingCmp", "SampleCmp"}) {
        p->Components.push_back(Entry(type));
    }
    p->Modified = false;
    PrefabComponent* first = p->Components[0].get();
    EXPECT_FALSE(p->MoveComponent(first, -1));
    EXPECT_TRUE(p->MoveComponent(first, 100));
    EXPECT_EQ(p->Components[2].get(), first);
    EXPECT_EQ(p->Components[0]->TypeName, "ThingCmp");
    EXPECT_FALSE(p->Modified);

    const auto stranger = Entry("ThingCmp");
    EXPECT_FALSE(p->MoveComponent(stranger.get(), 1));
}

TEST_F(PrefabEditingTest, AutoCreateMoveSwapsWithinRangeAndMarksTheOwner) {
    Prefab* p = Add("P");
    for (const char* child : {"A", "B", "C"}) {
        p->AutoCreates.push_back(std::make_unique<AutoCreate>());
        p->AutoCreates.back()->Owner = p;
        p->AutoCreates.back()->Prefab = child;
    }
    p->Modified = false;
    AutoCreate* last = p->AutoCreates[2].get();
    last->Move(1);
    EXPECT_FALSE(p->Modified);
    EXPECT_EQ(p->AutoCreates[2].get(), last);

    AutoCreate* first = p->AutoCreates[0].get();
    first->Move(2);
    EXPECT_TRUE(p->Modified);
    EXPECT_EQ(p->AutoCreates[0]->Prefab, "C");
    EXPECT_EQ(p->AutoCreates[1]->Prefab, "B");
    EXPECT_EQ(p->AutoCreates[2].get(), first);

    AutoCreate orphan;
    orphan.Move(1);
}

TEST_F(PrefabEditingTest, ApplyToInstancesUpdatesNestedInstancesWithoutStart) {
    Prefab* p = Add("Crate");
    p->Components.push_back(Entry("ThingCmp", {{"Layer", "2"}}));
    GameObject root;
    auto* outer = new GameObject();
    outer->PrefabName = "Crate";
    root.AddChild(outer);
    auto* inner = new GameObject();
    inner->PrefabName = "Crate";
    outer->AddChild(inner);
    auto* other = new GameObject();
    other->PrefabName = "Barrel";
    root.AddChild(other);
    auto* existing = dynamic_cast<ThingCmp*>(Manager.CreateAndAttach("ThingCmp", inner, "test"));
    existing->IsMutable = true;

    p->Components.push_back(Entry("StartLogBhv", {{"Tag", "new"}}));
    p->ApplyToInstances(&root);

    ASSERT_NE(outer->Thing, nullptr);
    EXPECT_EQ(outer->Thing->Layer, 2);
    EXPECT_EQ(inner->Thing, existing);
    EXPECT_EQ(existing->Layer, 2);
    EXPECT_TRUE(existing->IsMutable);
    EXPECT_EQ(inner->Components.size(), 2u);
    EXPECT_EQ(inner->GetComponent<StartLogBhv>()->Tag, "new");
    EXPECT_TRUE(StartLog().empty());
    EXPECT_TRUE(other->Components.empty());
}

}  // namespace
