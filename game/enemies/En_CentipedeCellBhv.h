#pragma once

#include <deque>

#include "object/Behavior.h"
#include "object/Vector2.h"

class En_CentipedeBhv;
class b2Contact;
class b2Fixture;

// One segment of a centipede. A leader (no segment ahead) walks straight, bounces and
// swerves, recording its path; a follower replays the path of the segment ahead one
// fixed step at a time, passing it on to the segment behind.
class En_CentipedeCellBhv : public Behavior {
public:
    struct PathEntry {
        Vector2 Position;
        float Rotation = 0.0f;
    };

    // Unlinks: the segment behind leads from now on.
    ~En_CentipedeCellBhv() override;

    // Joins the insects' collision group, listens to the first fixture's touches and
    // starts swerving.
    void Start() override;
    void Update() override;

    // Runs inside the physics step: a leader notes the bounce's heading.
    void OnContact(b2Contact* contact, b2Fixture* other);

    CoCommand DeflectCoroutine(int step);

    // The centipede whose settings this segment walks by: on its own object, else on the
    // nearest ancestor; null when there is none.
    const En_CentipedeBhv* FindCentipede() const;

    bool IsLeader() const { return Ahead == nullptr; }
    // The head's frame on a leader, the body's on a follower.
    void ShowLeadership();

    En_CentipedeCellBhv* Ahead = nullptr;
    En_CentipedeCellBhv* Behind = nullptr;
    // Front: the newest entry; back: the oldest, the next one the segment behind takes.
    std::deque<PathEntry> History;

private:
    struct Turn {
        bool Pending = false;
        float Heading = 0.0f;
    };

    void Follow();
    void Lead(const En_CentipedeBhv& centipede);

    Turn mTurn;
    int mShownHead = -1;  // the frame shown last: 1 head, 0 body, -1 none yet
};
