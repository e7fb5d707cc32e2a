#include "object/GameObject.h"

#include <algorithm>
#include <stdexcept>

#include "object/Behavior.h"
#include "object/BodyTransform.h"
#include "object/MissingContent.h"
#include "object/ObjectWalks.h"
#include "object/Pos2dCmp.h"
#include "object/PrefabManager.h"

void (*gObjectDeletingHook)(GameObject* object) = nullptr;
BodyTransformHooks gBodyTransformHooks;

namespace {

Behavior* AsBehavior(Component* c) {
    return dynamic_cast<Behavior*>(c);
}

template <class T>
void EraseValue(std::vector<T>& items, const void* value) {
    auto it = std::find_if(items.begin(), items.end(),
                           [value](const T& item) { return static_cast<const void*>(item) == value; });
    if (it != items.end()) {
        items.erase(it);
    }
}

}  // namespace

GameObject::GameObject(const std::string& prefabName) {
    if (gPrefabManager == nullptr) {
        throw std::logic_error("cannot build '" + prefabName + "': no prefab manager");
    }
    try {
        gPrefabManager->InstantiateByName(prefabName, this);
    } catch (...) {
        // No destructor runs for an object whose constructor throws.
        DeleteChildrenAndComponents();
        throw;
    }
    if (Name.empty()) {
        Name = prefabName;
    }
}

GameObject::~GameObject() {
    if (PendingDestroy) {
        ForgetQueuedObject(this);
    }
    DeleteChildrenAndComponents();
    LeaveParent();
}

void GameObject::DeleteChildrenAndComponents() {
    // Each child's destructor erases it from Children.
    while (!Children.empty()) {
        delete Children.back();
    }
    if (gObjectDeletingHook != nullptr) {
        gObjectDeletingHook(this);
    }
    // Each component's destructor detaches it.
    while (!Components.empty()) {
        delete Components.back();
    }
}

void GameObject::AddComponent(Component* c) {
    c->Owner = this;
    Components.push_back(c);
    if (Behavior* b = AsBehavior(c)) {
        Behaviors.push_back(b);
        b->CopySlotsFrom(*this);
    }
    FillEmptySlots(c);
    for (Behavior* b : Behaviors) {
        b->FillEmptySlots(c);
    }
}

void GameObject::RemoveComponent(Component* c) {
    c->Owner = nullptr;
    EraseValue(Components, c);
    // Compared by the Component base address: no dynamic_cast, since this runs while
    // the component is being destroyed.
    auto it =
        std::find_if(Behaviors.begin(), Behaviors.end(), [c](Behavior* b) { return static_cast<Component*>(b) == c; });
    if (it != Behaviors.end()) {
        Behaviors.erase(it);
    }
    ClearSlotsOf(c);
    for (Behavior* b : Behaviors) {
        b->ClearSlotsOf(c);
    }
}

void GameObject::AddChild(GameObject* child) {
    child->LeaveParent();
    child->Parent = this;
    Children.push_back(child);
}

GameObject* GameObject::FindChild(const std::string& name) const {
    for (GameObject* child : Children) {
        if (child->Name == name) {
            return child;
        }
    }
    return nullptr;
}

void GameObject::Destroy() {
    for (const GameObject* o = this; o != nullptr; o = o->Parent) {
        if (o->PendingDestroy) {
            return;
        }
    }
    if (QueueObjectForDestruction(this)) {
        PendingDestroy = 1;
    }
}

void GameObject::DetachAndDestroy() {
    // Detached but never queued, the object would belong to nobody.
    if (!DeletionQueuesInstalled()) {
        return;
    }
    LeaveParent();
    Destroy();
}

GameObject* GameObject::Recreate() {
    if (Parent == nullptr || gPrefabManager == nullptr) {
        return nullptr;
    }
    if (gPrefabManager->FindPrefab(PrefabName) == nullptr) {
        WarnMissingPrefab(gPrefabManager->GetPrefabFile(PrefabName), PrefabName, "rebuilding object '" + Name + "'",
                          "the object is kept as it is");
        return nullptr;
    }
    // Built before anything changes, so a prefab that fails to build leaves the tree as it was.
    auto* fresh = new GameObject(PrefabName);
    std::vector<GameObject*>& siblings = Parent->Children;
    siblings.insert(std::find(siblings.begin(), siblings.end(), this), fresh);
    fresh->Parent = Parent;
    Destroy();
    return fresh;
}

void GameObject::SwapWithSibling(int offset) {
    if (Parent == nullptr) {
        return;
    }
    std::vector<GameObject*>& siblings = Parent->Children;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    const long i = it - siblings.begin();
    const long j = i + offset;
    if (j >= 0 && j < static_cast<long>(siblings.size())) {
        std::swap(siblings[i], siblings[j]);
    }
}

void GameObject::MoveToFirst() {
    if (Parent == nullptr) {
        return;
    }
    std::vector<GameObject*>& siblings = Parent->Children;
    EraseValue(siblings, this);
    siblings.insert(siblings.begin(), this);
}

void GameObject::MoveToLast() {
    if (Parent == nullptr) {
        return;
    }
    std::vector<GameObject*>& siblings = Parent->Children;
    EraseValue(siblings, this);
    siblings.push_back(this);
}

bool GameObject::IsInputEnabledInHierarchy() const {
    for (const GameObject* o = this; o != nullptr; o = o->Parent) {
        if (!o->InputEnabled) {
            return false;
        }
    }
    return true;
}

Vector2 GameObject::GetPos() const {
    if (Pos2d != nullptr) {
        return Pos2d->GetWorldPos();
    }
    if (B2Body != nullptr && gBodyTransformHooks.GetPos != nullptr) {
        return gBodyTransformHooks.GetPos(B2Body);
    }
    return Vector2();
}

void GameObject::SetPos(Vector2 pos) {
    if (Pos2d != nullptr) {
        const Vector2 parentOffset = Pos2d->GetWorldPos() - Pos2d->Pos;
        Pos2d->Pos = pos - parentOffset;
    } else if (B2Body != nullptr && gBodyTransformHooks.SetPos != nullptr) {
        gBodyTransformHooks.SetPos(B2Body, pos);
    }
}

float GameObject::GetRotation() const {
    if (Pos2d != nullptr) {
        return Pos2d->Rotation;
    }
    if (B2Body != nullptr && gBodyTransformHooks.GetAngle != nullptr) {
        return gBodyTransformHooks.GetAngle(B2Body);
    }
    return 0.0f;
}

void GameObject::SetRotation(float rotation) {
    if (Pos2d != nullptr) {
        Pos2d->Rotation = rotation;
    } else if (B2Body != nullptr && gBodyTransformHooks.SetAngle != nullptr) {
        gBodyTransformHooks.SetAngle(B2Body, rotation);
    }
}

void GameObject::RebuildBehaviorOrder() {
    Behaviors.clear();
    for (Component* c : Components) {
        if (Behavior* b = AsBehavior(c)) {
            Behaviors.push_back(b);
        }
    }
}

void GameObject::LeaveParent() {
    if (Parent != nullptr) {
        EraseValue(Parent->Children, this);
        Parent = nullptr;
    }
}
