#include "object/Coroutine.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

#include "object/Behavior.h"
#include "object/GameObject.h"
#include "object/GameTime.h"

int NextCoroutineId = 0;
CoroutineManager* gCoroutineManager = nullptr;

namespace {

std::string ReadableTypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(type.name());
}

// "EnemyBhv on object 'Ant'": enough to find the body that misbehaved.
std::string DescribeBehavior(const Behavior* behavior) {
    if (behavior == nullptr) {
        return "a detached coroutine";
    }
    std::string text = ReadableTypeName(typeid(*behavior));
    if (behavior->Owner != nullptr) {
        text += " on object '" + behavior->Owner->Name + "'";
    } else {
        text += " (not attached to an object)";
    }
    return text;
}

}  // namespace

Coroutine::Coroutine(const Behavior* owner, CoroutineBody body) : Body(std::move(body)), mOwner(owner) {}

void Coroutine::Start() {
    if (Running) {
        return;
    }
    StepIndex = 0;
    SecondsLeft = 0.0f;
    FramesLeft = 0;
    Running = true;
    Suspended = false;
    Step();
}

void Coroutine::Stop() {
    Running = false;
    Suspended = false;
}

void Coroutine::Step() {
    for (int reruns = 0;; ++reruns) {
        if (reruns > MaxImmediateReruns) {
            Fail("ran " + std::to_string(reruns) + " steps in one resumption without waiting " +
                 "(endless Restart or GoTo; next step " + std::to_string(StepIndex) + ")");
        }
        const CoCommand cmd = Body(StepIndex);
        ++StepIndex;
        switch (cmd.Kind) {
            case CoCommand::WaitSeconds: SecondsLeft += cmd.Seconds; return;
            case CoCommand::WaitFrames: FramesLeft += cmd.Value; return;
            case CoCommand::Stop: Stop(); return;
            case CoCommand::Restart:
                if (StepIndex == 1) {
                    Fail("restarted from its own step 0, which would loop without end");
                }
                StepIndex = 0;
                break;
            case CoCommand::GoTo: StepIndex = cmd.Value; break;
            default: return;
        }
    }
}

void Coroutine::Fail(const std::string& problem) {
    // Stopped first, so that a caller that does catch the error is not handed a
    // coroutine that loops again at the next tick.
    Stop();
    throw CoroutineError("Coroutine of " + DescribeBehavior(mOwner) + " " + problem);
}

void CoroutineManager::Update(Behavior* b) {
    const float delta = CurrentFrameDelta();
    // Walked live: map insertion keeps iterators valid, and coroutines created by a body
    // with a higher id are reached in this same tick.
    for (auto it = b->Coroutines.begin(); it != b->Coroutines.end(); ++it) {
        Coroutine* co = it->second;
        if (!co->Running || co->Suspended) {
            continue;
        }
        if (co->SecondsLeft > 0.0f) {
            co->SecondsLeft -= delta;
        }
        if (co->FramesLeft > 0) {
            --co->FramesLeft;
        }
        if (co->SecondsLeft <= 0.0f && co->FramesLeft < 1) {
            co->Step();
        }
    }
}
