#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object/Behavior.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"

// Stand-ins for drawing and animation components, which live in a higher layer: the
// object model knows them only through the casters installed below.
class SpriteCmp : public Component {};
class TintCmp : public Component {};
class AnimationBhv : public Behavior {};

namespace {

struct Recorder : Behavior {
    explicit Recorder(std::vector<std::string>* log, std::string name) : Log(log), Name(std::move(name)) {}
    void HandleInput() override {
        Log->push_back("input " + Name);
        if (OnInput)
            OnInput();
    }
    void Update() override {
        Log->push_back("update " + Name);
        if (OnUpdate)
            OnUpdate();
    }
    std::vector<std::string>* Log;
    std::string Name;
    std::function<void()> OnInput;
    std::function<void()> OnUpdate;
};

struct DeleteCounter : Component {
    explicit DeleteCounter(int* deletions) : Deletions(deletions) {}
    ~DeleteCounter() override { ++*Deletions; }
    int* Deletions;
};

struct ObjectDeleteCounter : GameObject {
    explicit ObjectDeleteCounter(int* deletions) : Deletions(deletions) {}
    ~ObjectDeleteCounter() override { ++*Deletions; }
    int* Deletions;
};

class ObjectTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        gDeletionQueues = &mQueues;
        InstallShortcutType<SpriteCmp>(ShortcutSlot::Sprite);
        InstallShortcutType<TintCmp>(ShortcutSlot::Tint);
        InstallShortcutType<AnimationBhv>(ShortcutSlot::Animation);
    }
    void TearDown() override {
        FlushDeleteQueues();
        gDeletionQueues = nullptr;
    }

    GameObject* AddChild(GameObject& parent, const std::string& name) {
        GameObject* child = new GameObject();
        child->Name = name;
        parent.AddChild(child);
        return child;
    }

    DeletionQueues mQueues;
    std::vector<std::string> mLog;
};

TEST_F(ObjectTreeTest, FirstComponentOfATypeWinsAndRemovalLeavesTheSlotEmpty) {
    GameObject object;
    auto* behavior = new Recorder(&mLog, "b");
    object.AddComponent(behavior);
    auto* first = new SpriteCmp();
    auto* second = new SpriteCmp();
    object.AddComponent(first);
    object.AddComponent(second);

    EXPECT_EQ(object.Sprite, first);
    EXPECT_EQ(behavior->Sprite, first);

    delete first;
    EXPECT_EQ(object.Sprite, nullptr);
    EXPECT_EQ(behavior->Sprite, nullptr);
    EXPECT_EQ(object.Components.size(), 2u);
}

TEST_F(ObjectTreeTest, LateBehaviourCopiesSlotsAndLateComponentFillsEveryBehaviour) {
    GameObject object;
    auto* tint = new TintCmp();
    object.AddComponent(tint);
    auto* early = new Recorder(&mLog, "early");
    auto* late = new Recorder(&mLog, "late");
    object.AddComponent(early);
    object.AddComponent(late);
    EXPECT_EQ(late->Tint, tint);

    auto* sprite = new SpriteCmp();
    object.AddComponent(sprite);
    EXPECT_EQ(early->Sprite, sprite);
    EXPECT_EQ(late->Sprite, sprite);
}

TEST_F(ObjectTreeTest, DeletingABehaviourShortcutClearsItEverywhere) {
    GameObject object;
    auto* other = new Recorder(&mLog, "other");
    object.AddComponent(other);
    auto* animation = new AnimationBhv();
    object.AddComponent(animation);
    ASSERT_EQ(object.Animation, animation);
    ASSERT_EQ(other->Animation, animation);

    delete animation;
    EXPECT_EQ(object.Animation, nullptr);
    EXPECT_EQ(other->Animation, nullptr);
    EXPECT_EQ(object.Behaviors.size(), 1u);
}

TEST_F(ObjectTreeTest, GetComponentFindsByDynamicTypeInOrder) {
    GameObject object;
    auto* a = new Recorder(&mLog, "a");
    auto* sprite = new SpriteCmp();
    auto* b = new Recorder(&mLog, "b");
    object.AddComponent(a);
    object.AddComponent(sprite);
    object.AddComponent(b);
    EXPECT_EQ(object.GetComponent<Recorder>(), a);
    EXPECT_EQ(object.GetComponentAt<Recorder>(1), b);
    EXPECT_EQ(object.GetComponentAt<Recorder>(2), nullptr);
    EXPECT_EQ(object.GetComponent<Behavior>(), a);
    EXPECT_EQ(object.GetComponent<TintCmp>(), nullptr);
}

TEST_F(ObjectTreeTest, MoveInOwnerKeepsBehavioursInComponentOrder) {
    GameObject object;
    auto* a = new Recorder(&mLog, "a");
    auto* sprite = new SpriteCmp();
    auto* b = new Recorder(&mLog, "b");
    object.AddComponent(a);
    object.AddComponent(sprite);
    object.AddComponent(b);

    EXPECT_TRUE(b->MoveInOwner(-1));  // a, b, sprite
    EXPECT_EQ(object.Behaviors, (std::vector<Behavior*>{a, b}));
    EXPECT_TRUE(b->MoveInOwner(-5));  // clamped to the front: b, a, sprite
    EXPECT_EQ(object.Components.front(), b);
    EXPECT_EQ(object.Behaviors, (std::vector<Behavior*>{b, a}));
    EXPECT_FALSE(b->MoveInOwner(-1));
    EXPECT_TRUE(sprite->MoveInOwner(-1));
    EXPECT_EQ(object.Behaviors, (std::vector<Behavior*>{b, a}));
}

TEST_F(ObjectTreeTest, ChildLookupAndSiblingMoves) {
    GameObject root;
    GameObject* unnamed = AddChild(root, "");
    GameObject* a = AddChild(root, "A");
    GameObject* b = AddChild(root, "B");
    AddChild(*a, "Grandchild");

    EXPECT_EQ(root.FindChild(""), unnamed);
    EXPECT_EQ(root.FindChild("B"), b);
    EXPECT_EQ(root.FindChild("b"), nullptr);
    EXPECT_EQ(root.FindChild("Grandchild"), nullptr);

    unnamed->SwapWithSibling(-1);
    b->SwapWithSibling(+1);
    EXPECT_EQ(root.Children, (std::vector<GameObject*>{unnamed, a, b}));
    a->SwapWithSibling(+1);
    EXPECT_EQ(root.Children, (std::vector<GameObject*>{unnamed, b, a}));
    a->MoveToFirst();
    EXPECT_EQ(root.Children.front(), a);
    a->MoveToLast();
    EXPECT_EQ(root.Children.back(), a);
}

TEST_F(ObjectTreeTest, SiblingMovesOfAnObjectWithoutParentDoNothing) {
    GameObject orphan;
    orphan.MoveToFirst();
    orphan.MoveToLast();
    orphan.SwapWithSibling(+1);
    EXPECT_EQ(orphan.Parent, nullptr);
    EXPECT_TRUE(orphan.Children.empty());
}

TEST_F(ObjectTreeTest, AttachingAChildWithAParentMovesIt) {
    GameObject first;
    GameObject second;
    GameObject* child = AddChild(first, "child");
    second.AddChild(child);
    EXPECT_TRUE(first.Children.empty());
    EXPECT_EQ(child->Parent, &second);
    EXPECT_EQ(second.Children.size(), 1u);
}

TEST_F(ObjectTreeTest, DestroyQueuesOnceAndNeverAChildOfAQueuedObject) {
    GameObject root;
    GameObject* parent = AddChild(root, "parent");
    GameObject* child = AddChild(*parent, "child");

    parent->Destroy();
    parent->Destroy();
    child->Destroy();
    EXPECT_EQ(mQueues.DestroyQueue, (std::vector<GameObject*>{parent}));
    EXPECT_FALSE(child->PendingDestroy);

    // Still walked and drawn until the flush.
    EXPECT_EQ(root.Children.size(), 1u);
    FlushDeleteQueues();
    EXPECT_TRUE(root.Children.empty());
    EXPECT_TRUE(mQueues.DestroyQueue.empty());
}

TEST_F(ObjectTreeTest, DetachAndDestroyUnderAQueuedParentIsDeletedSeparately) {
    GameObject root;
    int deletions = 0;
    GameObject* parent = AddChild(root, "parent");
    auto* child = new ObjectDeleteCounter(&deletions);
    parent->AddChild(child);

    parent->Destroy();
    child->DetachAndDestroy();
    EXPECT_EQ(child->Parent, nullptr);
    EXPECT_TRUE(parent->Children.empty());
    EXPECT_EQ(mQueues.DestroyQueue.size(), 2u);
    FlushDeleteQueues();
    EXPECT_EQ(deletions, 1);
}

TEST_F(ObjectTreeTest, FlushNeverDeletesTwice) {
    int deletions = 0;
    GameObject root;
    GameObject* parent = AddChild(root, "parent");
    auto* queuedChild = new ObjectDeleteCounter(&deletions);
    parent->AddChild(queuedChild);
    auto* component = new DeleteCounter(&deletions);
    parent->AddComponent(component);

    // The child is queued first, then its parent is deleted directly; the component is
    // queued for removal and its object dies in the same flush.
    queuedChild->Destroy();
    QueueComponentForDeletion(component);
    QueueComponentForDeletion(component);
    EXPECT_EQ(mQueues.DeleteQueue.size(), 1u);
    delete parent;
    EXPECT_EQ(deletions, 2);
    FlushDeleteQueues();
    EXPECT_EQ(deletions, 2);
}

TEST_F(ObjectTreeTest, ComponentQueuedAloneIsDetachedByTheFlush) {
    GameObject object;
    int deletions = 0;
    auto* component = new DeleteCounter(&deletions);
    object.AddComponent(component);
    QueueComponentForDeletion(component);
    FlushDeleteQueues();
    EXPECT_EQ(deletions, 1);
    EXPECT_TRUE(object.Components.empty());
}

// Before the application exists or after it is gone nothing can be deleted safely: the
// caller may be a behaviour of the very object. Entries stay where they are, unmarked.
TEST_F(ObjectTreeTest, WithoutQueuesNothingIsQueuedAndEverythingStaysInPlace) {
    GameObject root;
    GameObject* destroyed = AddChild(root, "destroyed");
    GameObject* detached = AddChild(root, "detached");
    int deletions = 0;
    auto* component = new DeleteCounter(&deletions);
    root.AddComponent(component);

    gDeletionQueues = nullptr;
    destroyed->Destroy();
    detached->DetachAndDestroy();
    QueueComponentForDeletion(component);
    FlushDeleteQueues();

    EXPECT_EQ(root.Children, (std::vector<GameObject*>{destroyed, detached}));
    EXPECT_EQ(detached->Parent, &root);
    EXPECT_FALSE(destroyed->PendingDestroy);
    EXPECT_FALSE(component->PendingDelete);
    EXPECT_EQ(deletions, 0);

    // Once queues exist the same requests work.
    gDeletionQueues = &mQueues;
    destroyed->Destroy();
    QueueComponentForDeletion(component);
    EXPECT_EQ(mQueues.DestroyQueue, (std::vector<GameObject*>{destroyed}));
    FlushDeleteQueues();
    EXPECT_EQ(root.Children, (std::vector<GameObject*>{detached}));
    EXPECT_EQ(deletions, 1);
}

TEST_F(ObjectTreeTest, DestructorQueuingMoreIsFlushedInTheSameFlush) {
    GameObject root;
    GameObject* victim = AddChild(root, "victim");
    GameObject* killer = AddChild(root, "killer");
    struct DestroyOnDelete : Component {
        GameObject* Target = nullptr;
        ~DestroyOnDelete() override { Target->Destroy(); }
    };
    auto* trigger = new DestroyOnDelete();
    trigger->Target = victim;
    killer->AddComponent(trigger);
    killer->Destroy();
    FlushDeleteQueues();
    EXPECT_TRUE(root.Children.empty());
}

TEST_F(ObjectTreeTest, InputWalkNewcomersWaitButUpdateWalkNewcomersRun) {
    GameObject root;
    auto* first = new Recorder(&mLog, "first");
    root.AddComponent(first);
    first->OnInput = [&] {
        if (root.Behaviors.size() == 1) {
            root.AddComponent(new Recorder(&mLog, "input-newcomer"));
            AddChild(root, "input-child")->AddComponent(new Recorder(&mLog, "input-child"));
        }
    };
    InputWalk(&root);
    EXPECT_EQ(mLog, (std::vector<std::string>{"input first"}));

    mLog.clear();
    first->OnInput = nullptr;
    first->OnUpdate = [&] {
        if (root.Behaviors.size() == 2) {
            root.AddComponent(new Recorder(&mLog, "update-newcomer"));
        }
    };
    PostPhysicsWalk(&root);
    EXPECT_EQ(mLog, (std::vector<std::string>{"update first", "update input-newcomer", "update update-newcomer",
                                              "update input-child"}));
}

TEST_F(ObjectTreeTest, ClearedFlagSkipsTheSubtreeFromTheNextPass) {
    GameObject root;
    GameObject* a = AddChild(root, "a");
    GameObject* child = AddChild(*a, "child");
    auto* self = new Recorder(&mLog, "self");
    a->AddComponent(self);
    a->AddComponent(new Recorder(&mLog, "later"));
    child->AddComponent(new Recorder(&mLog, "child"));
    self->OnUpdate = [&] { a->UpdateEnabled = 0; };

    PostPhysicsWalk(&root);
    EXPECT_EQ(mLog, (std::vector<std::string>{"update self", "update later", "update child"}));
    mLog.clear();
    PostPhysicsWalk(&root);
    EXPECT_TRUE(mLog.empty());

    a->InputEnabled = 0;
    InputWalk(&root);
    EXPECT_TRUE(mLog.empty());
    EXPECT_FALSE(child->IsInputEnabledInHierarchy());
    EXPECT_TRUE(root.IsInputEnabledInHierarchy());
}

TEST_F(ObjectTreeTest, ChildrenAreDeletedLastFirstThenComponents) {
    std::vector<std::string> order;
    struct Named : GameObject {
        Named(std::vector<std::string>* log, std::string n) : Log(log) { Name = std::move(n); }
        ~Named() override { Log->push_back(Name); }
        std::vector<std::string>* Log;
    };
    auto* root = new Named(&order, "root");
    root->AddChild(new Named(&order, "first"));
    root->AddChild(new Named(&order, "second"));
    delete root;
    EXPECT_EQ(order, (std::vector<std::string>{"root", "second", "first"}));
}

TEST_F(ObjectTreeTest, DeletingAnObjectTellsTheEditorHookBeforeItsComponents) {
    GameObject root;
    GameObject* child = AddChild(root, "child");
    child->AddComponent(new SpriteCmp());
    static size_t componentsSeen;
    static GameObject* seen;
    gObjectDeletingHook = [](GameObject* o) {
        seen = o;
        componentsSeen = o->Components.size();
    };
    delete child;
    gObjectDeletingHook = nullptr;
    EXPECT_EQ(seen, child);
    EXPECT_EQ(componentsSeen, 1u);
    EXPECT_TRUE(root.Children.empty());
}

}  // namespace
