#pragma once

#include <string>

#include "object/Behavior.h"
#include "object/Color.h"
#include "object/Vector2.h"

class LevelDataCmp;

// What the four end-of-level panels share: the slide in from the left and out to the
// right, and the choice of replay or map once the panel has arrived. Each panel settles
// the result against the saved progress in its Start.
class EndPanelBhv : public Behavior {
public:
    EndPanelBhv();

    // Replay or map; the first accepted choice ends the pass.
    void HandleInput() override;

    // Slides out to the right and destroys the panel.
    void Close();
    void OnShown();

protected:
    // Takes RestPos and turns input off; the slide starts with SlideIn.
    void TakeRestPos();
    void SlideIn();
    // Replay or map pressed and handled.
    bool HandleReplayOrMap();

    // A child's text, when it has one.
    void SetChildText(const std::string& child, const std::string& text) const;
    void SetChildTint(const std::string& child, Color tint) const;
    // The panel's level in the level list; null for a level the list does not know.
    static const LevelDataCmp* CurrentLevel();
    static void ShowUnlockMessage(const std::string& text);
    static void SaveProgress();

    Vector2 RestPos;
    float TransitionTime = 0.6f;
};
