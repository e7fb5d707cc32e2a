#include "object/ObjectWalks.h"

#include <algorithm>
#include <cstdio>

#include "object/Behavior.h"
#include "object/Coroutine.h"
#include "object/GameObject.h"

DeletionQueues* gDeletionQueues = nullptr;

namespace {

template <class T>
void ForgetEntry(std::vector<T*>& queue, const T* entry) {
    std::replace(queue.begin(), queue.end(), const_cast<T*>(entry), static_cast<T*>(nullptr));
}

// Index-based so that entries appended by destructors are deleted in the same flush.
template <class T>
void FlushQueue(std::vector<T*>& queue) {
    for (size_t i = 0; i < queue.size(); ++i) {
        T* entry = queue[i];
        if (entry != nullptr) {
            queue[i] = nullptr;
            delete entry;
        }
    }
    queue.clear();
}

}  // namespace

bool DeletionQueuesInstalled() {
    if (gDeletionQueues != nullptr) {
        return true;
    }
    static bool warned = false;
    if (!warned) {
        warned = true;
        std::fprintf(stderr, "Deletion requested while no deletion queues are installed: nothing is deleted\n");
    }
    return false;
}

bool QueueObjectForDestruction(GameObject* object) {
    if (!DeletionQueuesInstalled()) {
        return false;
    }
    gDeletionQueues->DestroyQueue.push_back(object);
    return true;
}

bool QueueComponentForDeletion(Component* component) {
    if (component->PendingDelete) {
        return true;
    }
    if (!DeletionQueuesInstalled()) {
        return false;
    }
    component->PendingDelete = 1;
    gDeletionQueues->DeleteQueue.push_back(component);
    return true;
}

void ForgetQueuedObject(const GameObject* object) {
    if (gDeletionQueues != nullptr) {
        ForgetEntry(gDeletionQueues->DestroyQueue, object);
    }
}

void ForgetQueuedComponent(const Component* component) {
    if (gDeletionQueues != nullptr) {
        ForgetEntry(gDeletionQueues->DeleteQueue, component);
    }
}

void InputWalk(GameObject* object) {
    if (!object->InputEnabled) {
        return;
    }
    // Both counts are taken on entry, so a behaviour or child added by this object's own
    // behaviours waits for the next pass.
    const size_t behaviorCount = object->Behaviors.size();
    const size_t childCount = object->Children.size();
    for (size_t i = 0; i < behaviorCount && i < object->Behaviors.size(); ++i) {
        object->Behaviors[i]->HandleInput();
    }
    for (size_t j = 0; j < childCount && j < object->Children.size(); ++j) {
        InputWalk(object->Children[j]);
    }
}

void PostPhysicsWalk(GameObject* object) {
    if (!object->UpdateEnabled) {
        return;
    }
    for (size_t i = 0; i < object->Behaviors.size(); ++i) {
        Behavior* behavior = object->Behaviors[i];
        behavior->Update();
        if (gCoroutineManager != nullptr) {
            gCoroutineManager->Update(behavior);
        }
    }
    for (size_t j = 0; j < object->Children.size(); ++j) {
        PostPhysicsWalk(object->Children[j]);
    }
}

void FlushDeleteQueues() {
    if (gDeletionQueues == nullptr) {
        return;
    }
    FlushQueue(gDeletionQueues->DestroyQueue);
    FlushQueue(gDeletionQueues->DeleteQueue);
}
