#pragma once

#include <vector>

#include "object/Component.h"
#include "object/GameObject.h"

// A component of the editor that is listed while it lives, so the once-a-pass questions
// (who holds the keyboard, who takes the keys) ask these few instead of walking the
// whole editor tree. Each kind T has a list of its own, in the order they were made.
template <class T>
class ListedComponent {
public:
    ListedComponent(const ListedComponent&) = delete;
    ListedComponent& operator=(const ListedComponent&) = delete;

    // The listed ones at or below the root; with reachedOnly, only those whose object the
    // input walk reaches (it and every ancestor take input).
    static std::vector<T*> ListedBelow(const GameObject* root, bool reachedOnly) {
        std::vector<T*> found;
        for (ListedComponent* item : Listed()) {
            const GameObject* object = item->Object();
            if (IsAtOrBelow(object, root) && (!reachedOnly || object->IsInputEnabledInHierarchy())) {
                found.push_back(static_cast<T*>(item));
            }
        }
        return found;
    }

    // Whether some listed one at or below the root answers yes.
    template <class Predicate>
    static bool AnyListedBelow(const GameObject* root, Predicate predicate) {
        for (ListedComponent* item : Listed()) {
            if (IsAtOrBelow(item->Object(), root) && predicate(*static_cast<const T*>(item))) {
                return true;
            }
        }
        return false;
    }

protected:
    explicit ListedComponent(const Component* self) : mSelf(self) { Listed().push_back(this); }
    ~ListedComponent() { std::erase(Listed(), this); }

private:
    // Never freed: a component outliving static destruction may still leave the list.
    static std::vector<ListedComponent*>& Listed() {
        static auto* const listed = new std::vector<ListedComponent*>();
        return *listed;
    }

    const GameObject* Object() const { return mSelf != nullptr ? mSelf->Owner : nullptr; }

    static bool IsAtOrBelow(const GameObject* object, const GameObject* root) {
        if (root == nullptr) {
            return false;
        }
        for (; object != nullptr; object = object->Parent) {
            if (object == root) {
                return true;
            }
        }
        return false;
    }

    const Component* mSelf;
};
