#include "UpdatePassFixture.h"

UpdatePassFixture::UpdatePassFixture()
    : Root(std::make_unique<GameObject>()),
      mSavedTime(gGameTime),
      mSavedManager(gCoroutineManager),
      mSavedQueues(gDeletionQueues) {
    gGameTime = &Time;
    gCoroutineManager = &Manager;
    gDeletionQueues = &Queues;
    Root->Name = "Root";
}

UpdatePassFixture::~UpdatePassFixture() {
    Root.reset();
    FlushDeleteQueues();
    gGameTime = mSavedTime;
    gCoroutineManager = mSavedManager;
    gDeletionQueues = mSavedQueues;
}

void UpdatePassFixture::RunPass(float delta) {
    ++Passes;
    Time.DeltaTime = delta;
    Time.TotalTime += delta;
    PostPhysicsWalk(Root.get());
    FlushDeleteQueues();
}
