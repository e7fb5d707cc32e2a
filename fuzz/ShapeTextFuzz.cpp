// Shape text read into the fixture of a live dynamic body, which the world then steps.
#include <box2d/box2d.h>

#include <string>

#include "FuzzSupport.h"
#include "app/Application.h"
#include "object/GameObject.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "physics/B2MainContactListener.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureHeadlessApplication();
    GameObject object;
    auto* body = new B2BodyCmp();
    object.AddComponent(body);
    body->EnsureBody();
    body->Body->SetType(b2_dynamicBody);
    auto* fixture = new B2FixtureCmp();
    object.AddComponent(fixture);
    fixture->SetShape("Circle 0.5");
    fixture->SetShape(std::string(InputText(data, size)));
    for (int step = 0; step < 3; ++step) {
        gApplication->ContactListener->StepWorld(*gPhysicsWorld, 1.0f / 60.0f, 8, 3);
    }
    return 0;
}
