// The committed prefabs read with the program's real component table: every file loads
// and is in the exact form the prefab manager writes, and every name a prefab refers to
// exists.

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

#include "ContentTestSupport.h"
#include "GraphicsTestSupport.h"
#include "PhysicsTestSupport.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2FixtureCmp.h"
#include "program/ComponentTable.h"
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
class CommittedPrefabTest : public ::testing::Test {
protected:
    static constexpr float StepSeconds = 1.0f / 60.0f;

    CommittedPrefabTest() {
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

    ~CommittedPrefabTest() override {
        FlushDeleteQueues();
        gPrefabManager = nullptr;
        gRandomManager = nullptr;
        gDeletionQueues = nullptr;
        gGameTime = nullptr;
        gGameConfig = nullptr;
    }

    fs::path PrefabFolder() const { return Folder.Path() / "Prefabs"; }

    // Declared first: the bodies of the default instances die before it.
    ScopedPhysicsWorld Physics;
    ScopedTempFolder Folder;
    GameConfig Config;
    GameTime Time;
    DeletionQueues Queues;
    RandomManager Random;
    PrefabManager Prefabs;
};

TEST_F(CommittedPrefabTest, EveryCommittedPrefabLoadsAndWritesBackTheSameText) {
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

TEST_F(CommittedPrefabTest, EveryNameAPrefabGivesExists) {
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

TEST_F(CommittedPrefabTest, EveryCuePrefabCarriesACueComponentAndACueBehaviour) {
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
    EXPECT_GE(cues, 1);
}

}  // namespace
