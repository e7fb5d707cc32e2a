#pragma once

class Behavior;

// A step-wise body of a behaviour, resumed by the coroutine manager.
class Coroutine {
public:
    virtual ~Coroutine() = default;
};

// Ticks a behaviour's coroutines once per update walk.
class CoroutineManager {
public:
    void Update(Behavior* behavior);
};

// Set by the application to its own coroutine manager; the update walk ticks through it.
extern CoroutineManager* gCoroutineManager;
