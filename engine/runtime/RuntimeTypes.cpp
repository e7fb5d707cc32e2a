#include "runtime/RuntimeTypes.h"

#include "object/IComponentShortcuts.h"
#include "runtime/AnimationBhv.h"
#include "runtime/B2BodyCmp.h"
#include "runtime/Camera2d.h"
#include "runtime/FontRegistry.h"
#include "runtime/SpriteCmp.h"
#include "runtime/TextCmp.h"
#include "runtime/TextureManager.h"
#include "runtime/TintCmp.h"

void InstallRuntimeTypes() {
    B2BodyCmp::InstallHooks();
    InstallShortcutType<AnimationBhv>(ShortcutSlot::Animation);
    InstallShortcutType<TextCmp>(ShortcutSlot::Text);
    InstallShortcutType<SpriteCmp>(ShortcutSlot::Sprite);
    InstallShortcutType<TintCmp>(ShortcutSlot::Tint);
    SpriteCmp::InstallPickingHooks();
    Camera2d::InstallScreenToLayerHooks();
    TextureManager::InstallNameResolver();
    FontRegistry::InstallNameResolver();
}
