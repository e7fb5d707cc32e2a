#include "physics/B2BodyCmp.h"

#include <box2d/box2d.h>

#include <cstdint>
#include <stdexcept>

#include "object/BodyTransform.h"
#include "object/GameObject.h"
#include "object/IComponentShortcuts.h"
#include "physics/B2FixtureCmp.h"
#include "physics/PhysicsWorld.h"

namespace {

void SetAngleStoppingSpin(B2BodyCmp* body, float angle) {
    body->SetAngle(angle);
    if (body->Body->GetType() != b2_staticBody) {
        body->Body->SetAngularVelocity(0.0f);
    }
}

}  // namespace

template <class T>
void B2BodyCmp::RegisterBodyProperty(const char* name, T (*get)(const b2Body&), void (*set)(b2Body&, T)) {
    RegisterProxyProperty<T>([this, get] { return get(*EnsureBody()); },
                             [this, set](T value) { set(*EnsureBody(), value); }, name);
}

B2BodyCmp::B2BodyCmp() {
    RegisterProxyProperty<Vector2>([this] { return GetPos(); }, [this](Vector2 v) { SetPos(v); }, "Pos");
    RegisterProxyProperty<float>([this] { return GetAngle(); }, [this](float a) { SetAngle(a); }, "Angle");
    RegisterBodyProperty<int>(
        "Type", [](const b2Body& b) { return static_cast<int>(b.GetType()); },
        [](b2Body& b, int type) {
            // Anything but Box2D's three kinds would be an invalid enum value.
            if (type >= StaticType && type <= DynamicType) {
                b.SetType(static_cast<b2BodyType>(type));
            }
        });
    RegisterBodyProperty<bool>(
        "IsAwake", [](const b2Body& b) { return b.IsAwake(); }, [](b2Body& b, bool v) { b.SetAwake(v); });
    RegisterBodyProperty<float>(
        "LinearDamping", [](const b2Body& b) { return b.GetLinearDamping(); },
        [](b2Body& b, float v) { b.SetLinearDamping(v); });
    RegisterBodyProperty<float>(
        "AngularDamping", [](const b2Body& b) { return b.GetAngularDamping(); },
        [](b2Body& b, float v) { b.SetAngularDamping(v); });
    RegisterBodyProperty<bool>(
        "IsFixedRotation", [](const b2Body& b) { return b.IsFixedRotation(); },
        [](b2Body& b, bool v) { b.SetFixedRotation(v); });
    RegisterBodyProperty<bool>(
        "IsBullet", [](const b2Body& b) { return b.IsBullet(); }, [](b2Body& b, bool v) { b.SetBullet(v); });
    RegisterBodyProperty<float>(
        "GravityScale", [](const b2Body& b) { return b.GetGravityScale(); },
        [](b2Body& b, float v) { b.SetGravityScale(v); });
}

B2BodyCmp::~B2BodyCmp() {
    if (Body != nullptr) {
        // The fixtures die with the body: their components must not keep pointing at them.
        for (b2Fixture* f = Body->GetFixtureList(); f != nullptr; f = f->GetNext()) {
            if (auto* component = reinterpret_cast<B2FixtureCmp*>(f->GetUserData().pointer)) {
                component->Fixture = nullptr;
            }
        }
        Body->GetWorld()->DestroyBody(Body);
        Body = nullptr;
    }
}

b2Body* B2BodyCmp::EnsureBody() const {
    if (Body == nullptr) {
        if (gPhysicsWorld == nullptr) {
            throw std::logic_error("B2BodyCmp: a body is needed but there is no physics world");
        }
        b2BodyDef def;
        def.userData.pointer = reinterpret_cast<uintptr_t>(this);
        Body = gPhysicsWorld->CreateBody(&def);
    }
    return Body;
}

Vector2 B2BodyCmp::GetPos() const {
    const b2Vec2& p = EnsureBody()->GetPosition();
    return Vector2(p.x, p.y);
}

void B2BodyCmp::SetPos(Vector2 pos) {
    b2Body* body = EnsureBody();
    body->SetTransform(b2Vec2(pos.X, pos.Y), body->GetAngle());
}

float B2BodyCmp::GetAngle() const {
    return EnsureBody()->GetAngle();
}

void B2BodyCmp::SetAngle(float angle) {
    b2Body* body = EnsureBody();
    body->SetTransform(body->GetPosition(), angle);
}

void B2BodyCmp::InstallHooks() {
    InstallShortcutType<B2BodyCmp>(ShortcutSlot::B2Body);
    gBodyTransformHooks.GetPos = [](const B2BodyCmp* body) { return body->GetPos(); };
    gBodyTransformHooks.SetPos = [](B2BodyCmp* body, Vector2 pos) { body->SetPos(pos); };
    gBodyTransformHooks.GetAngle = [](const B2BodyCmp* body) { return body->GetAngle(); };
    gBodyTransformHooks.SetAngle = SetAngleStoppingSpin;
}
