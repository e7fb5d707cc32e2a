// The committed prefabs, "Showcase" (the engine showcase) above all, read with the
// program's real component table: every file loads and is in the exact form the prefab
// manager writes, every name a prefab refers to exists, and the showcase's physics
// bodies fall, tumble and come to rest on screen.

#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "GraphicsTestSupport.h"
#include "PhysicsTestSupport.h"
#include "ShowcaseTestSupport.h"
#include "program/ComponentTable.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "tools/audio/SoundEffects.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every component list of a prefab: its own and each auto-create entry's overrides.
void ForEachComponent(const Prefab& prefab, const std::function<void(const PrefabComponent&)>& visit) {
    for (const auto& component : prefab.Components) {
        visit(*component);
    }
    for (const auto& entry : prefab.AutoCreates) {
        for (const auto& component : entry->InstanceProperties) {
            visit(*component);
        }
    }
}

// The text of a property the entry gives; "" when it gives none.
std::string GivenText(const PrefabComponent& component, const std::string& property) {
    return component.FindProperty(property) != nullptr ? PropertyText(component, property) : std::string();
}

// A copy of the committed prefab folder as the development content path, read by a
// prefab manager with the program's component table, in a physics world of the test's
// own; the time, deletion and random-number services the update walk needs.
class ShowcasePrefabTest : public ::testing::Test {
protected:
    static constexpr float StepSeconds = 1.0f / 60.0f;

    ShowcasePrefabTest() {
        fs::copy(CommittedContent() / "Prefabs", PrefabFolder(), fs::copy_options::recursive);
        Config.DevelopmentContentPath = Folder.Path().string();
        gGameConfig = &Config;
        gGameTime = &Time;
        gDeletionQueues = &Queues;
        Random.Seed(99);
        gRandomManager = &Random;
        gPrefabManager = &Prefabs;
        Prefabs.Init(RegisterComponentTypes);
    }

    ~ShowcasePrefabTest() override {
        Root.reset();
        FlushDeleteQueues();
        gPrefabManager = nullptr;
        gRandomManager = nullptr;
        gDeletionQueues = nullptr;
        gGameTime = nullptr;
        gGameConfig = nullptr;
    }

    fs::path PrefabFolder() const { return Folder.Path() / "Prefabs"; }

    // The prefab built as the application builds "GameplayRoot": under a root object.
    GameObject* Build(const std::string& prefabName) {
        Root = std::make_unique<GameObject>();
        auto* built = new GameObject(prefabName);
        Root->AddChild(built);
        return built;
    }

    // Main-loop passes at 60 a second: the physics step, then the update walk.
    void RunSeconds(float seconds) {
        const int passes = static_cast<int>(std::lround(seconds / StepSeconds));
        for (int i = 0; i < passes; ++i) {
            Time.DeltaTime = StepSeconds;
            Time.TotalTime += StepSeconds;
            Physics.Step();
            PostPhysicsWalk(Root.get());
            FlushDeleteQueues();
        }
    }

    // Declared first: the bodies of the default instances and the scene die before it.
    ScopedPhysicsWorld Physics;
    ScopedTempFolder Folder;
    GameConfig Config;
    GameTime Time;
    DeletionQueues Queues;
    RandomManager Random;
    PrefabManager Prefabs;
    std::unique_ptr<GameObject> Root;
};

TEST_F(ShowcasePrefabTest, EveryCommittedPrefabLoadsAndWritesBackTheSameText) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(CommittedContent() / "Prefabs")) {
        files.push_back(entry.path());
    }
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(Prefabs.Prefabs.size(), files.size()) << "every file in the prefab folder is a prefab";
    // A hand-written property the type lacks, a misspelt key or a number in another form
    // would be dropped or rewritten by the editor's next save.
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        Prefab* prefab = Prefabs.FindPrefab(file.stem().string());
        ASSERT_NE(prefab, nullptr);
        prefab->Save();
        EXPECT_EQ(ReadFile(PrefabFolder() / file.filename()), ReadFile(file));
    }
}

TEST_F(ShowcasePrefabTest, EveryNameAPrefabGivesExists) {
    std::set<std::string> sounds;
    for (const qv::tools::SoundRecipe& recipe : qv::tools::SoundEffectRecipes()) {
        sounds.insert(recipe.Name);
    }
    for (const auto& [name, prefab] : Prefabs.Prefabs) {
        SCOPED_TRACE(name);
        for (const auto& entry : prefab->AutoCreates) {
            EXPECT_NE(Prefabs.FindPrefab(entry->Prefab), nullptr) << "auto-created " << entry->Prefab;
        }
        // Emitters, animations and cues fall silent on a name that finds nothing.
        ForEachComponent(*prefab, [&](const PrefabComponent& component) {
            const std::string particle = GivenText(component, "ParticlePrefab");
            if (!particle.empty()) {
                EXPECT_NE(Prefabs.FindPrefab(particle), nullptr) << "particle " << particle;
            }
            const std::string animation = GivenText(component, "AutoPlay");
            if (!animation.empty()) {
                EXPECT_TRUE(fs::is_regular_file(CommittedContent() / "Animations" / (animation + ".anim")))
                    << "animation " << animation;
            }
            const std::string sound = GivenText(component, "SoundName");
            if (!sound.empty()) {
                EXPECT_EQ(sounds.count(sound), 1u) << "no sound effect " << sound;
            }
        });
    }
}

TEST_F(ShowcasePrefabTest, EveryCuePrefabCarriesACueComponentAndACueBehaviour) {
    int cues = 0;
    for (const auto& [name, prefab] : Prefabs.Prefabs) {
        if (name.rfind("Cue_", 0) != 0) {
            continue;
        }
        ++cues;
        std::set<std::string> types;
        for (const auto& component : prefab->Components) {
            types.insert(component->TypeName);
        }
        EXPECT_EQ(types.count("CueCmp"), 1u) << name;
        EXPECT_EQ(types.count("CueLoopedBhv") + types.count("CueOneShotBhv") + types.count("CueRandomizedBhv"), 1u)
            << name;
    }
    EXPECT_GE(cues, 1) << "the showcase's ambience is a cue";
}

// A dynamic body of the scene and where it started.
struct Insect {
    std::string Name;
    B2BodyCmp* Body = nullptr;
    Vector2 Start;
};

std::vector<Insect> DynamicBodiesUnder(GameObject* root) {
    std::vector<Insect> insects;
    for (GameObject* child : root->Children) {
        B2BodyCmp* body = child->GetComponent<B2BodyCmp>();
        // The player floats where it stands until it is moved.
        if (body != nullptr && body->Body != nullptr && body->Body->GetType() == b2_dynamicBody &&
            body->Body->GetGravityScale() != 0.0f) {
            insects.push_back({child->Name, body, body->GetPos()});
        }
    }
    return insects;
}

TEST_F(ShowcasePrefabTest, GameplayRootBuildsABodyWithAFixtureForEveryPhysicsObject) {
    GameObject* root = Build("Showcase");
    int bodies = 0;
    int dynamicBodies = 0;
    for (GameObject* child : root->Children) {
        const B2BodyCmp* body = child->GetComponent<B2BodyCmp>();
        if (body == nullptr) {
            continue;
        }
        SCOPED_TRACE(child->Name);
        ++bodies;
        // The shape makes its fixture only when some body property made the body first.
        ASSERT_NE(body->Body, nullptr);
        const B2FixtureCmp* fixture = child->GetComponent<B2FixtureCmp>();
        ASSERT_NE(fixture, nullptr);
        EXPECT_NE(fixture->Fixture, nullptr);
        if (body->Body->GetType() == b2_dynamicBody) {
            ++dynamicBodies;
            EXPECT_GT(body->Body->GetMass(), 0.0f);
        }
    }
    EXPECT_GE(bodies - dynamicBodies, 3) << "walls";
    EXPECT_GE(dynamicBodies, 3) << "insects";
}

TEST_F(ShowcasePrefabTest, TheInsectsFallTumbleAndComeToRestOnScreen) {
    GameObject* root = Build("Showcase");
    const std::vector<Insect> insects = DynamicBodiesUnder(root);
    ASSERT_GE(insects.size(), 3u);

    RunSeconds(3.0f);
    for (const Insect& insect : insects) {
        const Vector2 pos = insect.Body->GetPos();
        EXPECT_GT(std::hypot(pos.X - insect.Start.X, pos.Y - insect.Start.Y), 1.0f)
            << insect.Name << " should be on the move within three seconds";
    }

    // The world camera shows 40 by 22.5 units around the origin.
    RunSeconds(15.0f);
    for (const Insect& insect : insects) {
        SCOPED_TRACE(insect.Name);
        const Vector2 pos = insect.Body->GetPos();
        EXPECT_LT(std::fabs(pos.X), 19.0f);
        EXPECT_LT(std::fabs(pos.Y), 10.5f);
        EXPECT_LT(insect.Body->Body->GetLinearVelocity().Length(), 0.1f) << "caught by the walls";
    }
}

}  // namespace
