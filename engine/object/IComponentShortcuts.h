#pragma once

class AnimationBhv;
class B2BodyCmp;
class Component;
class Pos2dCmp;
class SpriteCmp;
class TextCmp;
class TintCmp;
class ThingCmp;
class TweensBhv;

// The eight well-known sibling components, cached on objects and behaviours so that
// gameplay code reaches them without a search. The first attached component of a
// type wins; a removed one leaves its slot empty.
class IComponentShortcuts {
public:
    static constexpr int SlotCount = 8;

    virtual ~IComponentShortcuts() = default;

    AnimationBhv* Animation = nullptr;
    B2BodyCmp* B2Body = nullptr;
    Pos2dCmp* Pos2d = nullptr;
    SpriteCmp* Sprite = nullptr;
    TextCmp* Text = nullptr;
    TintCmp* Tint = nullptr;
    ThingCmp* Thing = nullptr;
    TweensBhv* Tweens = nullptr;

    // Fills every empty slot whose type the component has.
    void FillEmptySlots(Component* c);
    // Empties every slot that refers to the component. Safe during its destruction.
    void ClearSlotsOf(const Component* c);
    void CopySlotsFrom(const IComponentShortcuts& other);
};

// How the object model recognises the shortcut types without knowing them: each layer
// that defines one of the types installs its caster. A slot without a caster never fills.
struct ShortcutCaster {
    // The component as the slot's type, or null when it is not of that type.
    void* (*TryCast)(Component* c) = nullptr;
    // The Component base of a pointer stored in the slot: a static upcast, no dynamic_cast,
    // so it is safe while the component is being destroyed.
    const Component* (*ToComponent)(const void* slot) = nullptr;
};

enum class ShortcutSlot { Animation, B2Body, Pos2d, Sprite, Text, Tint, Thing, Tweens };

void InstallShortcutCaster(ShortcutSlot slot, ShortcutCaster caster);

// Installs the caster of T for its slot; T must derive from Component.
template <class T>
void InstallShortcutType(ShortcutSlot slot) {
    ShortcutCaster caster;
    caster.TryCast = [](Component* c) -> void* { return dynamic_cast<T*>(c); };
    caster.ToComponent = [](const void* p) -> const Component* {
        return static_cast<const Component*>(static_cast<const T*>(p));
    };
    InstallShortcutCaster(slot, caster);
}
