#pragma once

#include "object/Component.h"
#include "object/IEditable.h"
#include "object/Vector2.h"

class b2Body;

// Owns one Box2D body in gPhysicsWorld and shows its state as properties. The body is
// made on the first use of any accessor, so a component that is never touched costs
// nothing: a new body is static, at the origin, unturned and enabled.
class B2BodyCmp : public Component, public IEditable {
public:
    // Box2D's b2BodyType values, as the "Type" property writes them.
    static constexpr int StaticType = 0;
    static constexpr int KinematicType = 1;
    static constexpr int DynamicType = 2;

    B2BodyCmp();
    // Destroys the body with its fixtures; fixture components still attached to it
    // forget their fixture first.
    ~B2BodyCmp() override;

    // The body, made now if it does not exist yet. Needs gPhysicsWorld.
    b2Body* EnsureBody() const;

    Vector2 GetPos() const;
    // Keeps the angle.
    void SetPos(Vector2 pos);
    float GetAngle() const;
    // Keeps the position.
    void SetAngle(float angle);

    // Installs what lets the rest of the program reach bodies without knowing this
    // class: the B2Body shortcut caster, the object transform fallback and the main
    // loop's activity hook. Called by the runtime's start-up.
    static void InstallHooks();

    // Null until first needed; owned through the world. Reads make it too.
    mutable b2Body* Body = nullptr;

private:
    template <class T>
    void RegisterBodyProperty(const char* name, T (*get)(const b2Body&), void (*set)(b2Body&, T));
};
