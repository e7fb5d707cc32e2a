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
    // Closes the map's open popup, if there is one: the editor may hold the quit back
    // and the designer go back to work.
    static void CloseOpen();

private:
    // Gives the map its input back and removes the popup.
    void Close();
};
