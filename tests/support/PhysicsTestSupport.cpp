#include "PhysicsTestSupport.h"

#include <stdexcept>

#include "app/Application.h"
#include "app/RuntimeTypes.h"
#include "object/ObjectShortcutTypes.h"
#include "object/PropertyText.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"

ScopedPhysicsWorld::ScopedPhysicsWorld() : mSavedWorld(gPhysicsWorld) {
    InstallObjectShortcutTypes();
    InstallRuntimeTypes();
    World.SetContactListener(&Listener);
    gPhysicsWorld = &World;
}

ScopedPhysicsWorld::~ScopedPhysicsWorld() {
    gPhysicsWorld = mSavedWorld;
}

void ScopedPhysicsWorld::Step() {
    Listener.StepWorld(World, 1.0f / 60.0f, 8, 3);
}

PhysicsTest::~PhysicsTest() {
    Objects.clear();
}

GameObject* PhysicsTest::NewObject(const std::string& name, GameObject* parent) {
    auto object = std::make_unique<GameObject>();
    object->Name = name;
    if (parent != nullptr) {
        parent->AddChild(object.get());
        return object.release();
    }
    Objects.push_back(std::move(object));
    return Objects.back().get();
}

GameObject* PhysicsTest::NewBodyObject(Vector2 pos, int type, const std::string& shape, const std::string& name,
                                       GameObject* parent) {
    GameObject* object = NewObject(name, parent);
    auto* body = new B2BodyCmp();
    object->AddComponent(body);
    body->SetPos(pos);
    SetPropertyText(*body, "Type", std::to_string(type));
    if (!shape.empty()) {
        auto* fixture = new B2FixtureCmp();
        object->AddComponent(fixture);
        fixture->SetShape(shape);
        if (fixture->Fixture == nullptr) {
            throw std::invalid_argument("test shape made no fixture: " + shape);
        }
    }
    return object;
}

namespace {

SubProperty PartOf(const IEditable& e, const std::string& name, int part) {
    const PropertyRegistration* registration = e.FindProperty(name);
    if (registration == nullptr) {
        throw std::invalid_argument("no property " + name);
    }
    return registration->MakeSubProperty(name, part);
}

}  // namespace

std::string PropertyText(const IEditable& e, const std::string& name, int part) {
    return PropertyToText(PartOf(e, name, part));
}

void SetPropertyText(IEditable& e, const std::string& name, const std::string& text, int part) {
    SubProperty sub = PartOf(e, name, part);
    PropertyFromText(sub, text);
}

B2BodyCmp* BodyOf(const GameObject* object) {
    return object->GetComponent<B2BodyCmp>();
}

B2FixtureCmp* FixtureOf(const GameObject* object, int n) {
    return object->GetComponentAt<B2FixtureCmp>(n);
}
