#include "PlayFixture.h"

#include <box2d/box2d.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "program/ComponentTable.h"
#include "game/player/PlayerBhv.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/TempFolder.h"
#include "app/Application.h"
#include "physics/B2BodyCmp.h"
#include "audio/CueManagerBhv.h"
#include "GraphicsTestSupport.h"
#include "input/InputManager.h"
#include "fx/ParticleManagerBhv.h"
#include "PhysicsTestSupport.h"

namespace fs = std::filesystem;

namespace {

fs::path SourceContent() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return fs::path(source != nullptr ? source : ".") / "Content";
}

}  // namespace

void RecordingScreen::OnExitReached() {
    ++ExitsReached;
    if (gPlayer != nullptr) {
        gPlayer->FindOrCreateCoroutine(&PlayerBhv::EnterExitCoroutine)->Start();
    }
}

PlayFixture::PlayFixture() {
    DataHome = std::make_unique<ScopedDataHome>();
    Content = std::make_unique<TempFolder>();
    fs::copy(SourceContent() / "Prefabs", Content->Path() / "Prefabs", fs::copy_options::recursive);
    App = std::make_unique<Application>(Clock);
    gGameConfig->DevelopmentContentPath = Content->Path().string();
    gInputManager->LoadKeyMappings(SourceContent() / "Config" / "KeyMappings.json");
    gRandomManager->Seed(Seed);
    App->PumpMessagesFn = [this] {
        gInputManager->KeysDown.reset();
        for (Key key : HeldKeys) {
            gInputManager->KeysDown.set(KeyCode(key));
        }
        gInputManager->MousePosition = Mouse;
        return true;
    };
    gGameplayScreen = &Screen;
}

PlayFixture::~PlayFixture() {
    App.reset();
    gGameplayScreen = nullptr;
}

void PlayFixture::WritePrefab(const std::string& name, const std::string& json) {
    Content->Write("Prefabs/" + name + ".json", json);
}

void PlayFixture::LoadContent() {
    gPrefabManager->Init(RegisterComponentTypes);
    gRootObject->Name = "Root";
    gGameplayRoot = new GameObject();
    gGameplayRoot->Name = "GameplayRoot";
    gRootObject->AddChild(gGameplayRoot);
    for (const char* manager : {"CueManager", "ParticleManager", "WeaponsList", "AimManager"}) {
        gGameplayRoot->AddChild(new GameObject(manager));
    }
    ASSERT_NE(gCueManager, nullptr);
    ASSERT_NE(gParticleManager, nullptr);
    gCueManager->OnPlayCue = [this](const std::string& name) { Cues.push_back(name); };
    App->StartLoop();
}

GameObject* PlayFixture::Spawn(const std::string& prefabName, Vector2 pos) {
    auto* object = new GameObject(prefabName);
    object->SetPos(pos);
    gGameplayRoot->AddChild(object);
    return object;
}

GameObject* PlayFixture::SpawnPlayer(Vector2 pos, const std::string& pickup, int ammo) {
    GameObject* player = Spawn("Player", pos);
    if (!pickup.empty()) {
        GameObject* offer = Spawn(pickup, pos);
        SetProperty(offer, "Pkup_WeaponBhv", "AmmoCount", std::to_string(ammo));
        RunPass();
    }
    return player;
}

void PlayFixture::RunPass() {
    Clock.AdvanceSteps(1);
    ASSERT_TRUE(App->RunPass());
}

void PlayFixture::RunPasses(int count) {
    for (int i = 0; i < count; ++i) {
        RunPass();
    }
}

int PlayFixture::CueCount(const std::string& name) const {
    int count = 0;
    for (const std::string& cue : Cues) {
        count += cue == name ? 1 : 0;
    }
    return count;
}

std::vector<GameObject*> PlayFixture::ObjectsOf(const std::string& prefabName) const {
    std::vector<GameObject*> found;
    for (GameObject* child : gGameplayRoot->Children) {
        if (child->PrefabName == prefabName && !child->PendingDestroy) {
            found.push_back(child);
        }
    }
    return found;
}

int PlayFixture::ParticleCount(const std::string& prefabName) const {
    int count = 0;
    for (GameObject* child : gParticleManager->Owner->Children) {
        count += child->PrefabName == prefabName ? 1 : 0;
    }
    return count;
}

Vector2 PlayFixture::VelocityOf(const GameObject* object) {
    const b2Vec2 v = object->B2Body->EnsureBody()->GetLinearVelocity();
    return Vector2(v.x, v.y);
}

void PlayFixture::SetVelocity(GameObject* object, Vector2 velocity) {
    object->B2Body->EnsureBody()->SetLinearVelocity(b2Vec2(velocity.X, velocity.Y));
}

void SetProperty(GameObject* object, const std::string& type, const std::string& name, const std::string& text) {
    for (Component* component : object->Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && gPrefabManager->GetComponentTypeName(editable) == type) {
            SetPropertyText(*editable, name, text);
            return;
        }
    }
    throw std::invalid_argument("no " + type + " on " + object->Name);
}
