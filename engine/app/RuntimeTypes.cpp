#include "app/RuntimeTypes.h"

#include "object/IComponentShortcuts.h"
#include "fx/AnimationBhv.h"
#include "physics/B2BodyCmp.h"
#include "input/Cursors.h"
#include "physics/B2DebugDrawer.h"
#include "render/Camera2d.h"
#include "render/Graphics.h"
#include "assets/FontRegistry.h"
#include "render/SpriteCmp.h"
#include "render/TextCmp.h"
#include "assets/TextureManager.h"
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
