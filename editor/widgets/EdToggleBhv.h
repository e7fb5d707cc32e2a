#pragma once

#include <functional>
#include <string>

#include "editor/widgets/IEdUiElement.h"
#include "object/Behavior.h"
#include "object/Color.h"

// An on/off button: each left click inside flips Value; on looks pressed and dark.
class EdToggleBhv : public Behavior, public IEdUiElement {
public:
    static constexpr Color OnShade{89, 89, 89, 255};

    EdToggleBhv();

    void Start() override;
    void Update() override;
    void HandleInput() override;
    void SetRect(float x, float y, float width, float height) override;

    // Sets Value and tells the owner, as a click would.
    void SetValue(bool value);

    std::string Title;
    bool Value = false;
    std::function<void(bool value)> OnChanged;
    Color NormalTint = Color(255, 255, 255, 255);
};
