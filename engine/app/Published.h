#pragma once

#include <memory>
#include <utility>

// Owns one manager and points its global at it for as long as it lives. Declared as
// members in creation order, these destroy the managers in reverse and clear each global
// right after its manager goes, so nothing destroyed later finds a freed manager.
template <typename T>
class Published {
public:
    explicit Published(T*& global) : mGlobal(global) {}
    ~Published() { Reset(); }

    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    T* Make(std::unique_ptr<T> object) {
        mObject = std::move(object);
        mGlobal = mObject.get();
        return mGlobal;
    }

    void Reset() {
        mObject.reset();
        mGlobal = nullptr;
    }

    T* Get() const { return mObject.get(); }

private:
    T*& mGlobal;
    std::unique_ptr<T> mObject;
};

// Clears a global that points into something owned elsewhere, at the point of the
// destruction order where it is declared.
template <typename T>
class ClearedOnExit {
public:
    explicit ClearedOnExit(T*& global) : mGlobal(global) {}
    ~ClearedOnExit() { mGlobal = nullptr; }

    ClearedOnExit(const ClearedOnExit&) = delete;
    ClearedOnExit& operator=(const ClearedOnExit&) = delete;

private:
    T*& mGlobal;
};
