// The screens' camera transitions, with keys pressed while they run: the map's opening
// zoom, its hand-over to a level, the level's arrival and way out, and a change of level,
// at steady 1/60 s passes and at the long, uneven passes of a busy machine. Whatever key
// comes whenever, every transition must end with both cameras at rest.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "game/levels/SavedDataBhv.h"
#include "input/Keys.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/screens/LevelSelectScreenBhv.h"
#include "object/GameObject.h"
#include "render/Graphics.h"

namespace {

enum class Transition { MapOpening, MapHandOver, LevelArrival, WayOut, LevelChange };
enum class Rate { Steady, Busy };

const char* Name(Transition transition) {
    switch (transition) {
        case Transition::MapOpening: return "the map's opening zoom";
        case Transition::MapHandOver: return "the map's hand-over";
        case Transition::LevelArrival: return "the level's arrival";
        case Transition::WayOut: return "the level's way out";
        case Transition::LevelChange: return "a change of level";
    }
    return "?";
}

class ScreenTransitionTest : public PlayFixture {
protected:
    // Steps of 1/60 s per pass: one, or 1 to 6 drawn from a fixed seed, as at about 17
    // uneven frames a second.
    int Steps(Rate rate) { return rate == Rate::Steady ? 1 : std::uniform_int_distribution<int>(1, 6)(mBusySteps); }
    void Pass(Rate rate) {
        Clock.AdvanceSteps(Steps(rate) - 1);
        RunPass();
    }
    void Press(Key key, Rate rate) {
        Tap(key);
        Pass(rate);
    }
    // Set-up runs at the longest passes: only the transition under test needs its rate.
    void Quick(int passes = 1) {
        for (int i = 0; i < passes; ++i) {
            Clock.AdvanceSteps(5);
            RunPass();
        }
    }

    static bool Running(CoCommand (GameplayScreenBhv::*body)(int)) {
        return gGameplayScreen != nullptr && gGameplayScreen->FindOrCreateCoroutine(body)->Running;
    }
    GameObject* Popup(const char* prefab) const {
        const std::vector<GameObject*> popups = ObjectsOf(prefab);
        return popups.empty() ? nullptr : popups.front();
    }
    bool MapTakesInput() const { return gLevelSelectScreen != nullptr && gLevelSelectScreen->Owner->InputEnabled; }
    bool LevelPlays() const {
        const GameObject* level = Level();
        return gGameplayScreen != nullptr && gLevelSelectScreen == nullptr && level != nullptr &&
               level->UpdateEnabled && level->InputEnabled && gGameplayScreen->Owner->UpdateEnabled &&
               gGameplayScreen->Owner->InputEnabled && !Running(&GameplayScreenBhv::ChangeLevelCoroutine) &&
               !Running(&GameplayScreenBhv::ReturnToMapCoroutine) && !Running(&GameplayScreenBhv::RespawnCoroutine);
    }
    // Nothing moves on its own any more: a screen plays, or a popup waits for a key.
    bool Resting() const {
        const GameObject* pause = Popup("UiPausePopup");
        return Popup("UiQuitPopup") != nullptr || (pause != nullptr && pause->InputEnabled) ||
               (gGameplayScreen == nullptr && MapTakesInput()) || LevelPlays();
    }
    bool QuickUntil(const std::function<bool()>& condition, int limit = 400) {
        for (int i = 0; i < limit && !condition(); ++i) {
            Quick();
        }
        return condition();
    }

    // What a player must see once everything has come to rest; "" when it holds.
    std::string Fault() const {
        const Camera2d& world = gGraphics->WorldCamera;
        const Camera2d& ui = gGraphics->UiCamera;
        std::string fault;
        if (world.Scale != Vector2(40.0f, 22.5f) || world.Rotation != 0.0f) {
            fault += " world camera " + std::to_string(world.Scale.X) + " x " + std::to_string(world.Scale.Y) +
                     " turned " + std::to_string(world.Rotation) + ";";
        }
        if (ui.Scale != Vector2(1280.0f, -720.0f) || ui.Rotation != 0.0f) {
            fault += " interface camera " + std::to_string(ui.Scale.X) + " x " + std::to_string(ui.Scale.Y) + ";";
        }
        if ((gLevelSelectScreen != nullptr) == (gGameplayScreen != nullptr)) {
            fault += " not exactly one screen;";
        }
        return fault;
    }

    // Back to a level at play (the level ignores which one) or to the map taking input.
    void ToLevel() {
        for (int tries = 0; tries < 6 && !LevelPlays(); ++tries) {
            if (Popup("UiQuitPopup") != nullptr) {
                Tap(Key::Esc);
            } else if (Popup("UiPausePopup") != nullptr) {
                Tap(Key::P);
            } else if (MapTakesInput()) {
                Tap(Key::Space);
            }
            Quick();
            QuickUntil([&] { return Resting(); });
        }
        ASSERT_TRUE(LevelPlays()) << "could not get back into a level";
    }
    void ToMap() {
        for (int tries = 0; tries < 6 && !(MapTakesInput() && Popup("UiQuitPopup") == nullptr); ++tries) {
            const GameObject* pause = Popup("UiPausePopup");
            if (Popup("UiQuitPopup") != nullptr) {
                Tap(Key::Esc);
            } else if (pause != nullptr && pause->InputEnabled) {
                Tap(Key::M);
            } else if (LevelPlays()) {
                Tap(Key::P);
            }
            Quick();
            QuickUntil([&] { return Resting(); });
        }
        ASSERT_TRUE(MapTakesInput()) << "could not get back to the map";
    }
    // From the map, or from a level with the pause popup up: the screens' way out.
    void OpenPausePopup() {
        ToLevel();
        Tap(Key::P);
        ASSERT_TRUE(QuickUntil([&] {
            const GameObject* pause = Popup("UiPausePopup");
            return pause != nullptr && pause->InputEnabled;
        }));
    }

    // Brings the game to where the transition begins, runs its first pass at the rate and
    // tells whether it has ended.
    std::function<bool()> Begin(Transition transition, Rate rate) {
        switch (transition) {
            case Transition::MapOpening:
                OpenPausePopup();
                Tap(Key::M);
                QuickUntil([] { return gLevelSelectScreen != nullptr; });
                return [this] { return MapTakesInput(); };
            case Transition::MapHandOver:
                ToMap();
                Press(Key::Space, rate);
                return [] { return gGameplayScreen != nullptr; };
            case Transition::LevelArrival:
                ToMap();
                Tap(Key::Space);
                QuickUntil([] { return gGameplayScreen != nullptr; });
                return [this] { return Level()->UpdateEnabled != 0; };
            case Transition::WayOut:
                OpenPausePopup();
                Press(Key::M, rate);
                return [] { return gLevelSelectScreen != nullptr; };
            case Transition::LevelChange:
                ToLevel();
                // Levels 1 to 3 are open from the start; go up and down between them.
                Press(gCurrentLevelName == "Lvl_01" ? Key::PageDown : Key::PageUp, rate);
                return [] { return !Running(&GameplayScreenBhv::ChangeLevelCoroutine); };
        }
        return [] { return true; };
    }

    // Passes the transition lasts at that rate when no key comes.
    int Length(Transition transition, Rate rate) {
        const std::function<bool()> ended = Begin(transition, rate);
        int passes = 0;
        while (!ended() && passes < 1000) {
            Pass(rate);
            ++passes;
        }
        return passes;
    }

    // The key at every pass of the transition, each time from its beginning.
    void Sweep(Transition transition) {
        StartGame();
        QuickUntil([&] { return MapTakesInput(); });
        std::vector<std::string> faults;
        for (Rate rate : {Rate::Steady, Rate::Busy}) {
            const int length = Length(transition, rate);
            ASSERT_GT(length, rate == Rate::Steady ? 50 : 8) << Name(transition) << " must take its time";
            for (Key key : {Key::P, Key::M, Key::Esc, Key::Space}) {
                for (int pass = 0; pass <= length; ++pass) {
                    const std::function<bool()> ended = Begin(transition, rate);
                    for (int i = 0; i < pass; ++i) {
                        Pass(rate);
                    }
                    Press(key, rate);
                    // The rest of the transition at its rate: its end is where rounding bites.
                    for (int i = pass; i < length + 2; ++i) {
                        Pass(rate);
                    }
                    if (!QuickUntil([&] { return Resting(); })) {
                        faults.push_back("never came to rest");
                    } else if (const std::string fault = Fault(); !fault.empty()) {
                        faults.push_back(fault);
                    } else {
                        continue;
                    }
                    faults.back() = std::string(rate == Rate::Steady ? "steady" : "busy") + ", " + KeyName(key) +
                                    " at pass " + std::to_string(pass) + " of " + Name(transition) + ":" +
                                    faults.back();
                    ASSERT_LT(faults.size(), 5u) << ::testing::PrintToString(faults);
                }
            }
        }
        // Uneven passes can end a transition's wait and its tweens in different passes,
        // by rounding alone: many more of them, without a key.
        for (int run = 0; run < 100; ++run) {
            const std::function<bool()> ended = Begin(transition, Rate::Busy);
            for (int i = 0; i < 40 && !ended(); ++i) {
                Pass(Rate::Busy);
            }
            Pass(Rate::Busy);
            if (!QuickUntil([&] { return Resting(); })) {
                faults.push_back("busy, no key, run " + std::to_string(run) + ": never came to rest");
            } else if (const std::string fault = Fault(); !fault.empty()) {
                faults.push_back("busy, no key, run " + std::to_string(run) + ":" + fault);
            }
            ASSERT_LT(faults.size(), 5u) << ::testing::PrintToString(faults);
        }
        EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    }

private:
    std::mt19937 mBusySteps{2026};
};

TEST_F(ScreenTransitionTest, AKeyAtAnyPassOfTheMapsOpeningZoomLeavesTheCamerasAtRest) {
    Sweep(Transition::MapOpening);
}

TEST_F(ScreenTransitionTest, AKeyAtAnyPassOfTheMapsHandOverLeavesTheCamerasAtRest) {
    Sweep(Transition::MapHandOver);
}

TEST_F(ScreenTransitionTest, AKeyAtAnyPassOfTheLevelsArrivalLeavesTheCamerasAtRest) {
    Sweep(Transition::LevelArrival);
}

TEST_F(ScreenTransitionTest, AKeyAtAnyPassOfTheLevelsWayOutLeavesTheCamerasAtRest) {
    Sweep(Transition::WayOut);
}

TEST_F(ScreenTransitionTest, AKeyAtAnyPassOfAChangeOfLevelLeavesTheCamerasAtRest) {
    Sweep(Transition::LevelChange);
}

// The testers' way in: a pause while the level arrives, then M from the pause popup.
TEST_F(ScreenTransitionTest, PausingWhileTheLevelArrivesThenGoingToTheMapLeavesTheMapUnturned) {
    StartGame();
    QuickUntil([&] { return MapTakesInput(); });
    std::vector<std::string> faults;
    for (int pause = 60; pause < 100; ++pause) {
        ToMap();
        Tap(Key::Space);
        RunPasses(pause);
        Tap(Key::P);
        RunPasses(10);
        Tap(Key::M);
        RunPasses(400);
        if (const std::string fault = Fault(); !fault.empty() || !Resting()) {
            faults.push_back("P at pass " + std::to_string(pause) + ":" + fault);
        }
    }
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

}  // namespace
