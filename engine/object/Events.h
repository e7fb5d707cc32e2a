#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

// Callbacks keyed by a 4-byte event code. Nothing registers any yet.
class GameEvents {
public:
    virtual ~GameEvents() = default;

    std::map<uint32_t, std::function<void()>> Handlers;
    std::map<uint32_t, std::function<void()>> PendingHandlers;
};

// The event holder the application creates right after the editor state.
class Events {
public:
    Events() : Game(std::make_unique<GameEvents>()) {}
    virtual ~Events() = default;

    std::unique_ptr<GameEvents> Game;
};

extern Events* gEvents;
