#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "object/IComponentShortcuts.h"
#include "object/Vector2.h"

class Behavior;
class Component;

// A node of the scene tree: owns its components and its children.
class GameObject : public IComponentShortcuts {
public:
    GameObject() = default;
    // Built from the loaded prefab of that name (children started before parents);
    // named after the prefab unless a Start named it. Has no parent: the caller
    // links it. A prefab that is not loaded raises ContentError.
    explicit GameObject(const std::string& prefabName);
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;
    // Deletes children (last first), clears editor references, deletes components
    // (last first), then leaves the parent.
    ~GameObject() override;

    void AddComponent(Component* c);
    void RemoveComponent(Component* c);

    // Links child as the last child; a child that has a parent leaves it first.
    void AddChild(GameObject* child);
    // First direct child whose name matches exactly; null when none.
    GameObject* FindChild(const std::string& name) const;

    // First component whose dynamic type is T or derives from T.
    template <class T>
    T* GetComponent() const {
        return GetComponentAt<T>(0);
    }
    // The match number n (from 0) of that search.
    template <class T>
    T* GetComponentAt(int n) const {
        for (Component* c : Components) {
            if (T* match = dynamic_cast<T*>(c)) {
                if (n-- == 0) {
                    return match;
                }
            }
        }
        return nullptr;
    }

    // Queues the object for deletion after the update walk, once.
    void Destroy();
    // Leaves the parent at once (no longer walked or drawn), then queues.
    void DetachAndDestroy();
    // Builds a fresh object from PrefabName directly before this one under the same
    // parent, queues this one and returns the new one (the editor's revert). Null,
    // with nothing changed, for an object without a parent or whose prefab is not
    // loaded (renamed or removed since; told once).
    GameObject* Recreate();

    void SwapWithSibling(int offset);
    void MoveToFirst();
    void MoveToLast();
    bool IsInputEnabledInHierarchy() const;

    // The transform lives in the Pos2dCmp, else in the physics body, else the object
    // sits at the origin unturned. Rotations are radians.
    Vector2 GetPos() const;
    // Moves the world position to pos, whatever the parents' offsets.
    void SetPos(Vector2 pos);
    float GetRotation() const;
    void SetRotation(float rotation);

    // Keeps Behaviors in the relative order of Components.
    void RebuildBehaviorOrder();

    uint8_t InputEnabled = 1;
    uint8_t UpdateEnabled = 1;
    uint8_t DrawEnabled = 1;
    std::string Name;
    std::string PrefabName;
    std::vector<Component*> Components;
    std::vector<Behavior*> Behaviors;
    std::vector<GameObject*> Children;
    GameObject* Parent = nullptr;
    uint8_t PendingDestroy = 0;

private:
    void LeaveParent();
    void DeleteChildrenAndComponents();
};

// Installed by the editor so that deleting an object clears the editor's references to it.
extern void (*gObjectDeletingHook)(GameObject* object);
