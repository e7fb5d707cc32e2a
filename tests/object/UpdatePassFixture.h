#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "object/Coroutine.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"

// Runs main-loop passes over a small tree: the update walk (behaviour updates and
// coroutine ticks) and the flush, with the time record, coroutine manager and delete
// queues the application would own.
class UpdatePassFixture : public ::testing::Test {
protected:
    static constexpr float FrameDelta = 1.0f / 60.0f;

    UpdatePassFixture();
    ~UpdatePassFixture() override;

    // One pass with the given frame delta; Passes counts them from 1.
    void RunPass(float delta = FrameDelta);
    // Attaches a new behaviour of type T to the root and returns it.
    template <class T>
    T* AddBehavior() {
        T* behavior = new T();
        Root->AddComponent(behavior);
        return behavior;
    }

    GameTime Time;
    CoroutineManager Manager;
    DeletionQueues Queues;
    std::unique_ptr<GameObject> Root;
    int Passes = 0;

private:
    GameTime* mSavedTime;
    CoroutineManager* mSavedManager;
    DeletionQueues* mSavedQueues;
};
