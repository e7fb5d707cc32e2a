#pragma once

#include "editor/widgets/EdButtonBhv.h"
#include "object/Coroutine.h"

// The lists' scroll buttons: a scroll body runs while its button is held and steps the
// offset once at once, then again every interval.

// Starts the body while the button is held, stops it when released.
template <class T>
void RunWhileHeld(T* self, const EdButtonBhv* button, CoCommand (T::*body)(int step)) {
    if (button == nullptr) {
        return;
    }
    Coroutine* coroutine = self->FindOrCreateCoroutine(body);
    if (button->WasPressed != 0) {
        coroutine->Start();
    } else {
        coroutine->Stop();
    }
}

// One step of a scroll body whose id is id: the offset becomes next, then the body
// waits interval and runs again.
inline CoCommand ScrollStep(int step, const CoroutineBodyId& id, int& offset, int next, float interval) {
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    if (step == 0) {
        offset = next;
        return CoWaitSeconds(interval);
    }
    return CoRestart();
}
