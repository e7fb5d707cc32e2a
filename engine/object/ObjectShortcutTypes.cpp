#include "object/ObjectShortcutTypes.h"

#include "object/IComponentShortcuts.h"
#include "object/Pos2dCmp.h"
#include "object/ThingCmp.h"
#include "object/TweensBhv.h"

void InstallObjectShortcutTypes() {
    InstallShortcutType<Pos2dCmp>(ShortcutSlot::Pos2d);
    InstallShortcutType<ThingCmp>(ShortcutSlot::Thing);
    InstallShortcutType<TweensBhv>(ShortcutSlot::Tweens);
}
