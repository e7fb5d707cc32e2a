#include "app/RuntimeTypes.h"

#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "fx/AnimationBhv.h"
#include "input/Cursors.h"
#include "object/IComponentShortcuts.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2DebugDrawer.h"
#include "render/Camera2d.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

void InstallRuntimeTypes() {
    B2BodyCmp::InstallHooks();
    InstallShortcutType<AnimationBhv>(ShortcutSlot::Animation);
    InstallShortcutType<TextCmp>(ShortcutSlot::Text);
    InstallShortcutType<SpriteCmp>(ShortcutSlot::Sprite);
    InstallShortcutType<TintCmp>(ShortcutSlot::Tint);
    SpriteCmp::InstallPickingHooks();
    TextureManager::RefreshSprites = SpriteCmp::KeepFrameNames;
    Graphics::DrawPhysicsView = DrawPhysicsWorld;
    Graphics::ReleaseVideoResources = ReleaseCursors;
    Camera2d::InstallScreenToLayerHooks();
    TextureManager::InstallNameResolver();
    FontRegistry::InstallNameResolver();
}
