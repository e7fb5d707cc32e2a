#pragma once

#include <functional>
#include <string>

#include "object/Behavior.h"

class GameObject;

// Plays sound cues by name: each play builds the prefab "Cue_<name>" as a new child of
// this behaviour's object, so one cue can sound several times at once.
class CueManagerBhv : public Behavior {
public:
    // Clears gCueManager when it names this instance.
    ~CueManagerBhv() override;

    // Becomes gCueManager.
    void Start() override;

    // Builds the cue and calls its play hook. A cue without a prefab plays nothing; a
    // cue prefab that cannot play (no CueCmp, no cue behaviour) is noted and removed.
    void PlayCue(std::string name);
    // The cue object, started and linked under this object, not yet played; null when
    // there is no prefab "Cue_<name>".
    GameObject* SpawnCue(const std::string& name);

    // Told the name of every cue asked for, before it plays; for logs and tests.
    std::function<void(const std::string& name)> OnPlayCue;
};

extern CueManagerBhv* gCueManager;
