#pragma once

#include <vector>

#include "object/Behavior.h"
#include "object/Vector2.h"

class LevelSelectIconBhv;

// The main levels' icons around the edge of the screen: made from "LevelSelectIcon" as
// needed, chained in number order and laid out on the bottom row (left to right), the
// right column (upward) and the top row (right to left); the left side stays open.
class LevelRingBhv : public Behavior {
public:
    LevelRingBhv();

    void Start() override;
    void Update() override;

    void Build();

    const std::vector<LevelSelectIconBhv*>& GetIcons() const { return mIcons; }

private:
    void CreateMissingIcons(int total);
    void ChainIcons();
    void LayOutIcons();

    int mRowIcons = 10;
    int mColumnIcons = 5;
    float mIconSideMargin = 1.0f;
    Vector2 mScreenSize{40.0f, 22.5f};
    std::vector<LevelSelectIconBhv*> mIcons;
};
