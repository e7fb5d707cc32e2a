#include "physics/B2FixtureCmp.h"

#include <cstdint>
#include <set>
#include <utility>

#include "object/ContentWarning.h"
#include "object/GameObject.h"
#include "object/MissingContent.h"
#include "physics/B2BodyCmp.h"

namespace {

// Box2D asserts on a negative density, and a negative friction mixes into NaN.
bool IsNotNegative(float value) {
    return value >= 0.0f;
}

// Told each time for an edit of a live object; once per prefab and text, since a prefab
// applies its text to every instance it makes.
void WarnUnusableShape(const std::string& text, const GameObject* owner) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        return;  // no shape given: nothing to tell
    }
    const std::string objectAsker = DescribeRequester("B2FixtureCmp", owner != nullptr ? owner->Name : "");
    const std::string asker = ScopedContentRequester::Describe(objectAsker);
    const std::string line = "Unusable shape \"" + text + "\" (" + asker + "); the fixture keeps its shape";
    static std::set<std::string> toldForPrefabs;
    if (asker != objectAsker && !toldForPrefabs.insert(line).second) {
        return;
    }
    WarnContent(line);
}

}  // namespace

template <class T>
void B2FixtureCmp::RegisterFixtureValue(const char* name, T b2FixtureDef::*field, T (*get)(const b2Fixture&),
                                        void (*set)(b2Fixture&, T), bool (*accept)(T)) {
    // The live fixture when there is one; the definition always, for the next fixture.
    RegisterProxyProperty<T>([this, field, get] { return Fixture != nullptr ? get(*Fixture) : mDef.*field; },
                             [this, field, set, accept](T value) {
                                 if (accept != nullptr && !accept(value)) {
                                     return;
                                 }
                                 mDef.*field = value;
                                 if (Fixture != nullptr) {
                                     set(*Fixture, value);
                                 }
                             },
                             name);
}

B2FixtureCmp::B2FixtureCmp() {
    // Box2D's density default of 0 would make every dynamic body weigh the same.
    mDef.density = 1.0f;
    mDef.userData.pointer = reinterpret_cast<uintptr_t>(this);

    RegisterProxyProperty<std::string>([this] { return ShapeToString(); },
                                       [this](const std::string& text) { SetShape(text); }, "Shape");
    RegisterFixtureValue<float>(
        "Friction", &b2FixtureDef::friction, [](const b2Fixture& f) { return f.GetFriction(); },
        [](b2Fixture& f, float v) { f.SetFriction(v); }, IsNotNegative);
    RegisterFixtureValue<float>(
        "Restitution", &b2FixtureDef::restitution, [](const b2Fixture& f) { return f.GetRestitution(); },
        [](b2Fixture& f, float v) { f.SetRestitution(v); });
    // The body's mass is not recomputed: the next shape set or mass reset takes it in.
    RegisterFixtureValue<float>(
        "Density", &b2FixtureDef::density, [](const b2Fixture& f) { return f.GetDensity(); },
        [](b2Fixture& f, float v) { f.SetDensity(v); }, IsNotNegative);
    RegisterFixtureValue<bool>(
        "IsSensor", &b2FixtureDef::isSensor, [](const b2Fixture& f) { return f.IsSensor(); },
        [](b2Fixture& f, bool v) { f.SetSensor(v); });
}

B2FixtureCmp::~B2FixtureCmp() {
    // A body deleted first has already cleared Fixture.
    if (Fixture != nullptr) {
        Fixture->GetBody()->DestroyFixture(Fixture);
        Fixture = nullptr;
    }
}

std::string B2FixtureCmp::ShapeToString() const {
    return mShape ? FormatShapeText(*mShape) : std::string();
}

void B2FixtureCmp::SetShape(const std::string& text) {
    std::optional<B2ShapeDesc> shape = ParseShapeText(text);
    if (!shape) {
        WarnUnusableShape(text, Owner);
        return;
    }
    if (!shape->MakesShape()) {
        // The stored shape stays; only its box form is forgotten.
        if (mShape) {
            mShape = mShape->AsPolygon();
        }
        return;
    }
    mB2Shape = MakeB2Shape(*shape);
    mShape = std::move(shape);
    mDef.shape = mB2Shape.get();
    RebuildLiveFixture();
}

void B2FixtureCmp::SetCollisionGroup(int16 group) {
    mDef.filter.groupIndex = group;
    if (Fixture != nullptr) {
        b2Filter filter = Fixture->GetFilterData();
        filter.groupIndex = group;
        Fixture->SetFilterData(filter);
    }
}

void B2FixtureCmp::RebuildLiveFixture() {
    const B2BodyCmp* bodyCmp = Owner != nullptr ? Owner->B2Body : nullptr;
    // The setter never makes the body: a shape set before it exists waits for the next set.
    if (bodyCmp == nullptr || bodyCmp->Body == nullptr) {
        return;
    }
    if (Fixture != nullptr) {
        Fixture->GetBody()->DestroyFixture(Fixture);
        Fixture = nullptr;
    }
    Fixture = bodyCmp->Body->CreateFixture(&mDef);
}
