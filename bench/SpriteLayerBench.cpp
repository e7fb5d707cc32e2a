#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "app/RuntimeTypes.h"
#include "assets/Texture.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "render/DrawLayerWalk.h"
#include "render/QuadBatcher.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

constexpr int kGroups = 100;
constexpr int kSpritesPerGroup = 100;
constexpr int kSprites = kGroups * kSpritesPerGroup;

// A level-like scene: groups placed in the world, each holding relatively placed sprites
// of four atlas textures; one sprite in four is turned, one in ten tinted, one in twenty
// is on another layer and not drawn by the pass.
class SpriteScene {
public:
    SpriteScene() {
        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
        for (size_t t = 0; t < mTextures.size(); ++t) {
            Texture& texture = mTextures[t];
            texture.Width = texture.Height = 256.0f;
            for (int f = 0; f < 16; ++f) {
                texture.AddFrame("Frame" + std::to_string(f), AtlasFrame{f * 16, 0, 16, 16, 2, 2, 20, 20});
            }
        }
        for (int g = 0; g < kGroups; ++g) {
            auto* group = new GameObject();
            Place(*group, Vector2(float(g % 10) * 4.0f - 20.0f, float(g / 10) * 2.0f - 10.0f), false, 0.0f);
            mRoot.AddChild(group);
            for (int s = 0; s < kSpritesPerGroup; ++s) {
                group->AddChild(MakeSprite(g * kSpritesPerGroup + s));
            }
        }
    }

    GameObject& Root() { return mRoot; }

private:
    static void Place(GameObject& object, Vector2 pos, bool relative, float rotation) {
        auto* p = new Pos2dCmp();
        p->Pos = pos;
        p->IsRelative = relative;
        p->Rotation = rotation;
        object.AddComponent(p);
    }

    GameObject* MakeSprite(int i) {
        auto* object = new GameObject();
        Place(*object, Vector2(float(i % 7) * 0.3f, float(i % 5) * 0.2f), true,
              i % 4 == 0 ? 0.1f * float(i % 31) : 0.0f);
        auto* sprite = new SpriteCmp();
        sprite->SetTexture(&mTextures[size_t(i) % mTextures.size()]);
        sprite->SetImage("Frame" + std::to_string(i % 16));
        sprite->Size = Vector2(1.0f, 1.0f);
        sprite->Layer = i % 20 == 0 ? DrawLayer::ForegroundAdd : DrawLayer::Foreground;
        object->AddComponent(sprite);
        if (i % 10 == 0) {
            auto* tint = new TintCmp();
            tint->Tint = Color(255, 200, 128, 255);
            object->AddComponent(tint);
        }
        return object;
    }

    std::array<Texture, 4> mTextures;
    GameObject mRoot;
};

// One layer pass's CPU work: empty the batches, walk the tree, build every quad.
void BM_LayerWalkAndQuadBuilding(benchmark::State& state) {
    SpriteScene scene;
    QuadBatcher quads;
    for (auto _ : state) {
        quads.Reset();
        quads.SetDepth(1.0f);
        DrawLayerWalk(quads, DrawLayer::Foreground, nullptr).Walk(&scene.Root(), Color(255, 255, 255, 255), Vector2());
        benchmark::DoNotOptimize(quads.BatchVertices(0).data());
        benchmark::ClobberMemory();
    }
    // Shown with its SI prefix, e.g. "40.1ns".
    state.counters["time_per_sprite"] = benchmark::Counter(
        double(kSprites), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_LayerWalkAndQuadBuilding)->Unit(benchmark::kMicrosecond);
