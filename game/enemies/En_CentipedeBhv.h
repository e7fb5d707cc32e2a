#pragma once

#include <cstdint>

#include "object/Behavior.h"
#include "object/Vector2.h"

// A centipede: builds a chain of segments from "En_CentipedeCell" as its children and
// holds the settings they walk by. In the boss level the end of the last centipede
// reveals the exit.
class En_CentipedeBhv : public Behavior {
public:
    En_CentipedeBhv();

    // Builds, and rebuilds whenever the editor changes the centipede's ThingCmp.
    void Start() override;
    // The boss level's end, once every segment is gone.
    void Update() override;

    // Replaces the segments by CellCount new ones behind the centipede's position,
    // CellSpacing apart, the tail first in child order and the leader last.
    void Build();

    // Path entries a segment keeps for the one behind: enough fixed steps of a leader
    // to cover one spacing; none when the leader does not move.
    int HistoryLength() const;

    float CellSpacing = 1.0f;
    float DeflectInterval = 2.0f;         // seconds between a leader's swerves
    float DeflectAngleMin = -1.5707964f;  // radians
    float DeflectAngleMax = 1.5707964f;
    float Speed = 8.0f;  // world units per second

private:
    // One fixed step of a leader walking at that rotation.
    Vector2 LeaderStep(float rotation) const;
    // The boss level's exit, shown once no other centipede is left.
    void RevealExit() const;
    int CountLiveCentipedes() const;

    int32_t CellCount = 10;
};
