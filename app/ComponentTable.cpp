#include "app/ComponentTable.h"

#include "object/Pos2dCmp.h"
#include "object/PrefabComponent.h"
#include "object/PrefabManager.h"
#include "object/ThingCmp.h"
#include "object/TweensBhv.h"

// Each type joins its group here, in table order, when its class is built. The base
// classes "Component", "GameObject" and "IComponentShortcuts" head the table but have
// no creator and are never registered.
void RegisterComponentTypes(PrefabManager& manager) {
    // Content and editor. PrefabComponent is no component, but its entry lets the
    // reverse lookup and the editor treat prefab entries like components.
    manager.RegisterComponent<PrefabComponent>("PrefabComponent");
    manager.RegisterComponent<TweensBhv>("TweensBhv");
    // Then the editor's behaviours, "EdButtonBhv" to "EdToggleBhv".

    // Enemies and actors: "EnemyCmp" to "SpawnCloudBhv".

    // Engine: "AnimationBhv", "DirectionalSpriteLightBhv", then Pos2dCmp, then "SpriteCmp"
    // to "FixtureMouseManagerBhv".
    manager.RegisterComponent<Pos2dCmp>("Pos2dCmp");

    // Player and weapons, screens.

    // Sound cues, then "TextCmp".

    // User interface.

    // Game flow, particles, pick-ups, data: "ExitBhv" to "TestSpriteBhv", then ThingCmp.
    manager.RegisterComponent<ThingCmp>("ThingCmp");
}
