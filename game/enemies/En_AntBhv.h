#pragma once

#include "object/Behavior.h"

class b2Contact;
class b2Fixture;

// An ant: walks straight ahead while the round runs and bounces off whatever it
// touches. Ants and the other insects never collide with each other.
class En_AntBhv : public Behavior {
public:
    En_AntBhv();

    // Joins the insects' collision group and listens to the first fixture's touches.
    void Start() override;
    // Applies a pending bounce, then walks along the rotation.
    void Update() override;

    // Runs inside the physics step: only notes the new heading.
    void OnContact(b2Contact* contact, b2Fixture* other);

private:
    float MoveSpeed = 4.0f;  // world units per second
    bool TurnPending = false;
    float Heading = 0.0f;
};
