#include "object/IComponentShortcuts.h"

#include "object/Component.h"

namespace {

ShortcutCaster gCasters[IComponentShortcuts::SlotCount];

template <class T>
void FillSlot(T*& slot, ShortcutSlot kind, Component* c) {
    const ShortcutCaster& caster = gCasters[static_cast<int>(kind)];
    if (slot != nullptr || caster.TryCast == nullptr) {
        return;
    }
    if (void* p = caster.TryCast(c)) {
        slot = static_cast<T*>(p);
    }
}

template <class T>
void ClearSlot(T*& slot, ShortcutSlot kind, const Component* c) {
    const ShortcutCaster& caster = gCasters[static_cast<int>(kind)];
    if (slot != nullptr && caster.ToComponent != nullptr && caster.ToComponent(slot) == c) {
        slot = nullptr;
    }
}

}  // namespace

void InstallShortcutCaster(ShortcutSlot slot, ShortcutCaster caster) {
    gCasters[static_cast<int>(slot)] = caster;
}

void IComponentShortcuts::FillEmptySlots(Component* c) {
    FillSlot(Animation, ShortcutSlot::Animation, c);
    FillSlot(B2Body, ShortcutSlot::B2Body, c);
    FillSlot(Pos2d, ShortcutSlot::Pos2d, c);
    FillSlot(Sprite, ShortcutSlot::Sprite, c);
    FillSlot(Text, ShortcutSlot::Text, c);
    FillSlot(Tint, ShortcutSlot::Tint, c);
    FillSlot(Thing, ShortcutSlot::Thing, c);
    FillSlot(Tweens, ShortcutSlot::Tweens, c);
}

void IComponentShortcuts::ClearSlotsOf(const Component* c) {
    ClearSlot(Animation, ShortcutSlot::Animation, c);
    ClearSlot(B2Body, ShortcutSlot::B2Body, c);
    ClearSlot(Pos2d, ShortcutSlot::Pos2d, c);
    ClearSlot(Sprite, ShortcutSlot::Sprite, c);
    ClearSlot(Text, ShortcutSlot::Text, c);
    ClearSlot(Tint, ShortcutSlot::Tint, c);
    ClearSlot(Thing, ShortcutSlot::Thing, c);
    ClearSlot(Tweens, ShortcutSlot::Tweens, c);
}

void IComponentShortcuts::CopySlotsFrom(const IComponentShortcuts& other) {
    Animation = other.Animation;
    B2Body = other.B2Body;
    Pos2d = other.Pos2d;
    Sprite = other.Sprite;
    Text = other.Text;
    Tint = other.Tint;
    Thing = other.Thing;
    Tweens = other.Tweens;
}
