#pragma once

#include <vector>

class Component;
class GameObject;

// Objects and components waiting for deletion after the update walk.
struct DeletionQueues {
    std::vector<GameObject*> DestroyQueue;
    std::vector<Component*> DeleteQueue;
};

// Set by the application to the queues it owns.
extern DeletionQueues* gDeletionQueues;

// False, with a warning on standard error the first time, while no queues are installed
// (before the application exists or after it is gone). Nothing can then be deleted
// safely, so requests leave everything where it is.
bool DeletionQueuesInstalled();
// Both return whether the entry was queued; see DeletionQueuesInstalled.
bool QueueObjectForDestruction(GameObject* object);
// Queues a component for removal (the editor's remove-component).
bool QueueComponentForDeletion(Component* component);
// Called by destructors: an entry deleted some other way must not be deleted again.
void ForgetQueuedObject(const GameObject* object);
void ForgetQueuedComponent(const Component* component);

// HandleInput over the subtree; newcomers wait for the next pass.
void InputWalk(GameObject* object);
// Update and the coroutine tick over the subtree; newcomers run in this pass.
void PostPhysicsWalk(GameObject* object);
// Deletes the queued objects, then the queued components, each exactly once.
void FlushDeleteQueues();
