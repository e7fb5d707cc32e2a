#pragma once

#include <box2d/box2d.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "object/Component.h"
#include "object/IEditable.h"
#include "physics/B2ShapeText.h"

// Told about a contact of the fixture that holds it: (the contact, the other fixture).
using ContactCallback = std::function<void(b2Contact* contact, b2Fixture* other)>;

// One fixture of its object's B2BodyCmp body, described by the "Shape" text and kept
// in step with it. Behaviours bind the two callbacks to hear about contacts.
class B2FixtureCmp : public Component, public IEditable {
public:
    B2FixtureCmp();
    // Destroys the live fixture, so that no fixture is left naming this component.
    ~B2FixtureCmp() override;

    // "" while there is no shape.
    std::string ShapeToString() const;
    // Text that does not describe a usable shape changes nothing but is told as a content
    // warning naming the object or the prefab being applied. A shape replaces the
    // live fixture when the object's body exists (it is not made here); "Edge" and
    // "Chain" are read but make no shape: a box then writes itself as a polygon.
    void SetShape(const std::string& text);

    // The collision group (Box2D's filter group index) of the live fixture and of every
    // fixture the shape makes later.
    void SetCollisionGroup(int16 group);

    // The live fixture; null until a shape is set while the body exists, and again
    // once the body is gone. Its user data is this component.
    b2Fixture* Fixture = nullptr;
    ContactCallback OnBeginContact;
    ContactCallback OnPreSolve;

private:
    // accept, when given, refuses values Box2D cannot take: they change nothing.
    template <class T>
    void RegisterFixtureValue(const char* name, T b2FixtureDef::*field, T (*get)(const b2Fixture&),
                              void (*set)(b2Fixture&, T), bool (*accept)(T) = nullptr);
    void RebuildLiveFixture();

    b2FixtureDef mDef;
    // The shape as written; mDef.shape is made from it.
    std::optional<B2ShapeDesc> mShape;
    std::unique_ptr<b2Shape> mB2Shape;
};
