#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineContentFixture.h"
#include "fx/ParticleManagerBhv.h"
#include "object/Pos2dCmp.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

// A particle that outlives every test that does not ask otherwise.
const char* const kDot = R"({ "Pos2dCmp": "", "Pcl_SimpleBhv": { "LifespanMin": "100", "LifespanMax": "100" } })";

class ParticleTest : public EngineContentFixture {
protected:
    // Loads the content; the root carries a started particle manager.
    void Begin() {
        LoadContent();
        Manager = new ParticleManagerBhv();
        Root->AddComponent(Manager);
        Manager->Start();
    }

    // A group under the root holding an emitter built from its prefab.
    GameObject* AddEmitter(const std::string& prefab, Vector2 pos = Vector2(5.0f, 6.0f)) {
        Group = new GameObject();
        Group->Name = "Group";
        Root->AddChild(Group);
        Emitter = new GameObject(prefab);
        Emitter->SetPos(pos);
        Group->AddChild(Emitter);
        return Emitter;
    }

    // The group's children other than the emitter.
    std::vector<GameObject*> Emitted() const {
        std::vector<GameObject*> particles;
        for (GameObject* child : Group->Children) {
            if (child->PrefabName == "Pcl_Dot") {
                particles.push_back(child);
            }
        }
        return particles;
    }

    ParticleManagerBhv* Manager = nullptr;
    GameObject* Group = nullptr;
    GameObject* Emitter = nullptr;
};

TEST_F(ParticleTest, EmitOnceEmitsItsCountBesideItsObjectThenRemovesIt) {
    WritePrefab("Pcl_Dot", kDot);
    WritePrefab("Emit_Three",
                R"({ "Pos2dCmp": "", "Pcl_EmitOnceBhv": { "EmitCount": "3", "ParticlePrefab": "Pcl_Dot" } })");
    Begin();
    AddEmitter("Emit_Three");
    RunPass();
    RunPass();

    const std::vector<GameObject*> particles = Emitted();
    ASSERT_EQ(particles.size(), 3u);
    EXPECT_EQ(Group->Children.size(), 3u) << "the emitter removes itself";
    for (const GameObject* particle : particles) {
        EXPECT_EQ(particle->GetPos(), Vector2(5.0f, 6.0f));
    }
}

TEST_F(ParticleTest, EmitOnceWithoutPrefabOrCountEmitsNothingAndStillRemovesItself) {
    WritePrefab("Pcl_Dot", kDot);
    WritePrefab("Emit_Missing", R"({ "Pcl_EmitOnceBhv": { "EmitCount": "4", "ParticlePrefab": "Pcl_Nothing" } })");
    WritePrefab("Emit_None", R"({ "Pcl_EmitOnceBhv": { "EmitCount": "-2", "ParticlePrefab": "Pcl_Dot" } })");
    Begin();
    for (const char* prefab : {"Emit_Missing", "Emit_None"}) {
        AddEmitter(prefab);
        RunPass();
        EXPECT_TRUE(Group->Children.empty()) << prefab;
    }
    EXPECT_FALSE(Prefabs->Prefabs.contains("Pcl_Nothing"));
}

TEST_F(ParticleTest, ContinuousEmitterAtTenPerSecondEmitsOnEverySixthUpdate) {
    WritePrefab("Pcl_Dot", kDot);
    WritePrefab("Emit_Stream", R"({ "Pos2dCmp": "", "Pcl_EmitContinuousBhv": { "ParticlePrefab": "Pcl_Dot" } })");
    Begin();
    AddEmitter("Emit_Stream");

    std::vector<int> emittingUpdates;
    for (int update = 1; update <= 20; ++update) {
        const size_t before = Emitted().size();
        RunPass(1.0f / 60.0f);
        for (size_t i = before; i < Emitted().size(); ++i) {
            emittingUpdates.push_back(update);
        }
    }
    EXPECT_EQ(emittingUpdates, (std::vector<int>{6, 12, 18}));
}

TEST_F(ParticleTest, ContinuousEmitterCatchesUpInOneLongFrameAtItsCurrentPosition) {
    WritePrefab("Pcl_Dot", kDot);
    WritePrefab("Emit_Stream", R"({ "Pos2dCmp": "", "Pcl_EmitContinuousBhv": { "ParticlePrefab": "Pcl_Dot" } })");
    Begin();
    AddEmitter("Emit_Stream", Vector2(-1.0f, 2.0f));
    RunPass(0.5f);

    const std::vector<GameObject*> particles = Emitted();
    ASSERT_EQ(particles.size(), 5u);
    for (const GameObject* particle : particles) {
        EXPECT_EQ(particle->GetPos(), Vector2(-1.0f, 2.0f));
    }
}

TEST_F(ParticleTest, EmittersWithoutAParentEmitNothingAndCountNoTime) {
    WritePrefab("Pcl_Dot", kDot);
    WritePrefab("Emit_Three", R"({ "Pcl_EmitOnceBhv": { "EmitCount": "3", "ParticlePrefab": "Pcl_Dot" } })");
    WritePrefab("Emit_Stream", R"({ "Pcl_EmitContinuousBhv": { "ParticlePrefab": "Pcl_Dot" } })");
    Begin();

    auto* once = new GameObject("Emit_Three");
    PostPhysicsWalk(once);
    EXPECT_TRUE(once->PendingDestroy);
    EXPECT_TRUE(once->Children.empty());
    FlushDeleteQueues();  // deletes it

    GameObject* stream = new GameObject("Emit_Stream");
    for (int i = 0; i < 30; ++i) {
        Time.DeltaTime = 1.0f / 60.0f;
        PostPhysicsWalk(stream);
    }
    EXPECT_TRUE(stream->Children.empty());
    // Given a parent later, it starts counting then: no burst of the time spent alone.
    Group = new GameObject();
    Root->AddChild(Group);
    Group->AddChild(stream);
    for (int i = 0; i < 5; ++i) {
        RunPass(1.0f / 60.0f);
    }
    EXPECT_TRUE(Emitted().empty());
    RunPass(1.0f / 60.0f);
    EXPECT_EQ(Emitted().size(), 1u);
}

TEST_F(ParticleTest, ManagerSpawnsKnownPrefabsAsItsChildrenAtTheWorldPosition) {
    WritePrefab("Pcl_Dot", kDot);
    Begin();
    EXPECT_EQ(gParticleManager, Manager);
    Root->AddComponent(new Pos2dCmp());
    Root->Pos2d->Pos = Vector2(100.0f, 100.0f);

    const size_t prefabCount = Prefabs->Prefabs.size();
    EXPECT_EQ(Manager->Spawn("Pcl_Unknown", Vector2(1.0f, 1.0f)), nullptr);
    EXPECT_EQ(Prefabs->Prefabs.size(), prefabCount);
    EXPECT_TRUE(Root->Children.empty());

    GameObject* particle = Manager->Spawn("Pcl_Dot", Vector2(7.0f, -2.0f));
    ASSERT_NE(particle, nullptr);
    EXPECT_EQ(particle->Parent, Root.get());
    EXPECT_EQ(Root->Children.back(), particle);
    EXPECT_EQ(particle->GetPos(), Vector2(7.0f, -2.0f));

    delete Manager;
    EXPECT_EQ(gParticleManager, nullptr);
}

// White fading in and out over a quarter of a one-second life each, red to blue,
// growing from the prefab's size to three times it.
const char* const kFading = R"({ "Pos2dCmp": "", "TintCmp": "", "SpriteCmp": { "Size": { "X": "2", "Y": "4" } },
    "Pcl_SimpleBhv": { "TintStartMin": { "A": "1", "Rgb": "ff0000" }, "TintStartMax": { "A": "1", "Rgb": "ff0000" },
                       "TintEndMin": { "A": "1", "Rgb": "0000ff" }, "TintEndMax": { "A": "1", "Rgb": "0000ff" },
                       "SizeEndMin": "3", "SizeEndMax": "3" } })";

TEST_F(ParticleTest, ParticleFadesInAndOutOnTheSmoothCurveWhileItsColourAndSizeRamp) {
    WritePrefab("Pcl_Fade", kFading);
    Begin();
    GameObject* particle = Manager->Spawn("Pcl_Fade", Vector2());
    ASSERT_NE(particle, nullptr);
    const TintCmp* tint = particle->Tint;
    const SpriteCmp* sprite = particle->Sprite;
    ASSERT_NE(tint, nullptr);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(tint->Tint, Color(255, 0, 0, 0)) << "born invisible";
    EXPECT_EQ(sprite->Size, Vector2(2.0f, 4.0f));

    struct Step {
        float Delta;
        uint8_t Alpha;  // at the age reached
    };
    // Ages 0.125, 0.25, 0.5, 0.875: half-way through the fade-in the curve gives one half.
    const Step steps[] = {{0.125f, 127}, {0.125f, 255}, {0.25f, 255}, {0.375f, 127}};
    for (const Step& step : steps) {
        RunPass(step.Delta);
        EXPECT_EQ(tint->Tint.A, step.Alpha) << "at " << Time.TotalTime;
    }
    EXPECT_EQ(tint->Tint.R, 31);  // (1 - 0.875) x 255, truncated
    EXPECT_EQ(tint->Tint.B, 223);
    EXPECT_FLOAT_EQ(sprite->Size.X, 2.0f * 2.75f);

    // The end of life: faded out, at the end colour and size, and removed after the pass.
    Time.DeltaTime = 0.125f;
    PostPhysicsWalk(Root.get());
    EXPECT_TRUE(particle->PendingDestroy);
    EXPECT_EQ(tint->Tint, Color(0, 0, 255, 0));
    EXPECT_EQ(sprite->Size, Vector2(6.0f, 12.0f));
    FlushDeleteQueues();
    EXPECT_TRUE(Root->Children.empty());
}

TEST_F(ParticleTest, ZeroLifespanAndZeroFadesGiveDefinedColoursWithoutDividingByZero) {
    WritePrefab("Pcl_Flash", R"({ "TintCmp": "", "SpriteCmp": "",
        "Pcl_SimpleBhv": { "LifespanMin": "0", "LifespanMax": "0", "FadeInAmount": "0", "FadeOutAmount": "0",
                           "TintEndMin": { "A": "0.501960814", "Rgb": "00ff00" },
                           "TintEndMax": { "A": "0.501960814", "Rgb": "00ff00" },
                           "SizeEndMin": "0.5", "SizeEndMax": "0.5" } })");
    WritePrefab("Pcl_NoFadeIn", R"({ "TintCmp": "", "Pcl_SimpleBhv": { "FadeInAmount": "0", "FadeOutAmount": "0" } })");
    Begin();

    // A life of 0 is over at once: it shows its end state and goes in its first update.
    GameObject* flash = Manager->Spawn("Pcl_Flash", Vector2());
    EXPECT_EQ(flash->Tint->Tint, Color(0, 255, 0, 128));
    EXPECT_EQ(flash->Sprite->Size, Vector2(0.5f, 0.5f));
    // Without fades the particle is fully visible from its first to its last instant.
    GameObject* noFade = Manager->Spawn("Pcl_NoFadeIn", Vector2());
    EXPECT_EQ(noFade->Tint->Tint.A, 255);

    RunPass(0.5f);
    ASSERT_EQ(Root->Children.size(), 1u) << "the flash is gone";
    EXPECT_EQ(noFade->Tint->Tint.A, 255);
    Time.DeltaTime = 0.5f;
    PostPhysicsWalk(Root.get());
    EXPECT_TRUE(noFade->PendingDestroy);
    EXPECT_EQ(noFade->Tint->Tint.A, 255);
}

TEST_F(ParticleTest, StartDrawsVelocitySpinColourSizeLifeAndRotationInThatOrder) {
    WritePrefab("Pcl_Random", R"({ "Pos2dCmp": "", "TintCmp": "", "SpriteCmp": "",
        "Pcl_SimpleBhv": { "VelocityMin": { "X": "-1", "Y": "-2" }, "VelocityMax": { "X": "1", "Y": "2" },
                           "AngularMin": "-3", "AngularMax": "3", "RotationMin": "0", "RotationMax": "6",
                           "LifespanMin": "5", "LifespanMax": "10", "FadeInAmount": "0",
                           "TintStartMin": { "A": "1", "Rgb": "000000" }, "TintStartMax": { "A": "1", "Rgb": "ffffff" },
                           "SizeStartMin": "1", "SizeStartMax": "2" } })");
    Begin();
    RandomManager expected = *Random;
    const Vector2 velocity = expected.RandomPointInBox(Vector2(-1.0f, -2.0f), Vector2(1.0f, 2.0f));
    const float spin = expected.UniformFloat(-3.0f, 3.0f);
    const float colourAt = expected.UniformFloat(0.0f, 1.0f);
    const float sizeAt = expected.UniformFloat(0.0f, 1.0f);
    const float life = expected.UniformFloat(5.0f, 10.0f);
    const float rotation = expected.UniformFloat(0.0f, 6.0f);

    GameObject* particle = Manager->Spawn("Pcl_Random", Vector2());
    EXPECT_TRUE(Random->Engine() == expected.Engine()) << "six draws";
    EXPECT_EQ(particle->Pos2d->Rotation, rotation);
    const uint8_t grey = static_cast<uint8_t>(colourAt * 255.0f);
    EXPECT_NEAR(particle->Tint->Tint.R, grey, 1);
    EXPECT_EQ(particle->Tint->Tint.R, particle->Tint->Tint.B);
    EXPECT_FLOAT_EQ(particle->Sprite->Size.X, 2.0f * sizeAt + 1.0f * (1.0f - sizeAt));

    RunPass(0.5f);
    EXPECT_FLOAT_EQ(particle->Pos2d->Pos.X, velocity.X * 0.5f);
    EXPECT_FLOAT_EQ(particle->Pos2d->Pos.Y, velocity.Y * 0.5f);
    EXPECT_FLOAT_EQ(particle->Pos2d->Rotation, rotation + spin * 0.5f);
    RunPass(life - 0.5f - 0.01f);
    EXPECT_FALSE(particle->PendingDestroy);
    Time.DeltaTime = 0.02f;
    PostPhysicsWalk(Root.get());
    EXPECT_TRUE(particle->PendingDestroy);
}

TEST_F(ParticleTest, ForceActsFromTheSecondUpdateAndAnEmptyLifeRangeTakesItsMinimum) {
    WritePrefab("Pcl_Drop", R"({ "Pos2dCmp": "",
        "Pcl_SimpleBhv": { "Force": { "X": "0", "Y": "-10" }, "LifespanMin": "2", "LifespanMax": "1" } })");
    Begin();
    RandomManager expected = *Random;
    expected.Engine().discard(2);  // only the colour and size points are drawn
    GameObject* particle = Manager->Spawn("Pcl_Drop", Vector2(0.0f, 5.0f));
    EXPECT_TRUE(Random->Engine() == expected.Engine());

    RunPass(0.1f);
    EXPECT_EQ(particle->Pos2d->Pos, Vector2(0.0f, 5.0f)) << "moves with the velocity of the previous update";
    RunPass(0.1f);
    EXPECT_FLOAT_EQ(particle->Pos2d->Pos.Y, 5.0f - 10.0f * 0.1f * 0.1f);

    RunPass(1.7f);  // 1.9 s old
    ASSERT_EQ(Root->Children.size(), 1u);
    RunPass(0.1f);
    EXPECT_TRUE(Root->Children.empty());
}

}  // namespace
