#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "PhysicsTestSupport.h"
#include "input/InputManager.h"
#include "object/ObjectWalks.h"
#include "physics/B2BodyCmp.h"
#include "physics/FixtureMouseListenerBhv.h"
#include "physics/FixtureMouseManagerBhv.h"
#include "render/Graphics.h"

namespace {

// The renderer (for its world camera) and the input manager (for the mouse), with the
// display settings kept in a user data folder of the test's own.
class FixtureMouseManagerTest : public PhysicsTest {
protected:
    FixtureMouseManagerTest() {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            mSavedDataHome = old;
        }
        mDataHome = std::filesystem::temp_directory_path() / ("qv_mouse_" + std::to_string(getpid()));
        setenv("XDG_DATA_HOME", mDataHome.c_str(), 1);
        mGraphics = std::make_unique<Graphics>();
        gGraphics = mGraphics.get();
        gInputManager = &mInput;
    }
    ~FixtureMouseManagerTest() override {
        gInputManager = nullptr;
        gGraphics = nullptr;
        mGraphics.reset();
        if (mSavedDataHome) {
            setenv("XDG_DATA_HOME", mSavedDataHome->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        std::filesystem::remove_all(mDataHome);
    }

    // Root holding, in walk order, a listened box at the world's centre and the manager.
    GameObject* BuildScene(bool listenerFirst) {
        GameObject* root = NewObject("root");
        if (!listenerFirst) {
            NewObject("manager", root)->AddComponent(new FixtureMouseManagerBhv());
        }
        Box = NewBodyObject(Vector2(0.0f, 0.0f), B2BodyCmp::StaticType, "Box 0.5 0.5", "box", root);
        Box->AddComponent(new FixtureMouseListenerBhv());
        if (listenerFirst) {
            NewObject("manager", root)->AddComponent(new FixtureMouseManagerBhv());
        }
        return root;
    }
    FixtureMouseListenerBhv* Listener() const { return Box->GetComponent<FixtureMouseListenerBhv>(); }

    InputManager mInput;
    GameObject* Box = nullptr;

private:
    std::filesystem::path mDataHome;
    std::optional<std::string> mSavedDataHome;
    std::unique_ptr<Graphics> mGraphics;
};

TEST_F(FixtureMouseManagerTest, TheManagerAsksAboutTheMouseInWorldCoordinates) {
    GameObject* root = BuildScene(false);
    // The screen's centre is the world's origin under the world camera.
    mInput.MousePosition = Vector2(640.0f, 360.0f);
    InputWalk(root);
    EXPECT_TRUE(Listener()->IsMouseOver);

    // The top left corner is (-20, 11.25), far from the box.
    mInput.MousePosition = Vector2(0.0f, 0.0f);
    InputWalk(root);
    EXPECT_FALSE(Listener()->IsMouseOver);
}

TEST_F(FixtureMouseManagerTest, AListenerWalkedBeforeTheManagerAnswersOnePassLater) {
    GameObject* root = BuildScene(true);
    mInput.MousePosition = Vector2(640.0f, 360.0f);
    InputWalk(root);
    EXPECT_FALSE(Listener()->IsMouseOver);
    InputWalk(root);
    EXPECT_TRUE(Listener()->IsMouseOver);
}

}  // namespace
