#pragma once

#include "object/Behavior.h"

class MapBhv;
class MapNodeCmp;

// The player's marker on the map: the direction keys send it gliding to the neighbour
// that lies closest to the pressed bearing (within 60 degrees); the node it stands on,
// or is more than half way to, is the current one.
class MapCursorBhv : public Behavior {
public:
    MapCursorBhv();

    void HandleInput() override;
    void Update() override;

    MapNodeCmp* GetCurrent() const { return mCurrent; }
    bool IsMoving() const { return mMoving; }

private:
    // The open (or, when it may visit locked ones, any) shown neighbour of the current
    // node nearest the bearing; null when none lies within 60 degrees of it.
    MapNodeCmp* PickTarget(float bearing) const;
    void BeginMove(MapNodeCmp& target);
    void Glide();
    void FindMap();
    void FindStartNode();

    MapNodeCmp* mCurrent = nullptr;
    MapNodeCmp* mFrom = nullptr;
    MapNodeCmp* mTo = nullptr;
    bool mMoving = false;
    float mProgress = 0.0f;
    float mRate = 0.0f;        // progress per second
    float mMoveSpeed = 24.0f;  // world units per second
    MapBhv* mMap = nullptr;
    bool mCanVisitLocked = false;
};
