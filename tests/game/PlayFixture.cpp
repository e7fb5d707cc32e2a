#include "PlayFixture.h"

#include <box2d/box2d.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "program/ComponentTable.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/ThingCmp.h"
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

void RecordingScreen::AddToLevel(GameObject* object) {
    if (object->Thing == nullptr || Level == nullptr) {
        return;
    }
    const int group = 2 * (object->Thing->Layer - 1) + (object->Thing->IsMutable ? 1 : 0);
    if (group >= 0 && group < static_cast<int>(Level->Children.size())) {
        Level->Children[group]->AddChild(object);
    }
}

void RecordingScreen::BuildLevel(GameObject& root) {
    Level = new GameObject();
    Level->Name = "Level";
    root.AddChild(Level);
    for (const char* name : {"Layer1", "Layer1Mut", "Layer2", "Layer2Mut", "Layer3", "Layer3Mut"}) {
        auto* group = new GameObject();
        group->Name = name;
        Level->AddChild(group);
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
    gCurrentLevelName = "Lvl_Test";
}

PlayFixture::~PlayFixture() {
    App.reset();
    gGameplayScreen = nullptr;
    gCurrentLevelName.clear();
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
    Screen.BuildLevel(*gGameplayRoot);
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

GameObject* PlayFixture::SpawnInLevel(const std::string& prefabName, Vector2 pos, float rotation) {
    auto* object = new GameObject(prefabName);
    object->SetPos(pos);
    object->SetRotation(rotation);
    Screen.AddToLevel(object);
    if (object->Parent == nullptr) {
        delete object;
        throw std::invalid_argument(prefabName + " has no place in the level");
    }
    return object;
}

std::vector<GameObject*> PlayFixture::ObjectsOf(const std::string& prefabName) const {
    std::vector<GameObject*> found;
    auto collect = [&](const GameObject& parent) {
        for (GameObject* child : parent.Children) {
            if (child->PrefabName == prefabName && !child->PendingDestroy) {
                found.push_back(child);
            }
        }
    };
    collect(*gGameplayRoot);
    if (Screen.Level != nullptr) {
        for (const GameObject* group : Screen.Level->Children) {
            collect(*group);
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
