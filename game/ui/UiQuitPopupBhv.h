#pragma once

#include <string>
#include <vector>

#include "object/Behavior.h"

// Asks whether to leave the game, under a title drawn at random: MenuConfirm or a
// click on "KeySpace" quits, MenuCancel or a click on "KeyEsc" gives the map back.
class UiQuitPopupBhv : public Behavior {
public:
    void Start() override;
    void Update() override;
    void HandleInput() override;

    static const std::vector<std::string>& Titles();

private:
    void Close();
};
