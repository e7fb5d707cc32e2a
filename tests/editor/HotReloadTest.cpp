#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "EditorTestSupport.h"
#include "editor/reload/EdHotReloadMonitorBhv.h"

namespace {

namespace fs = std::filesystem;

// The monitor from its prefab over a development content folder of the test's own with
// one texture source folder; the content build is a small script that logs each run.
class HotReloadTest : public EditorContentTest {
protected:
    HotReloadTest() {
        Content.Write("Textures/Sprites/Tst_Crate/Crate_0000.png", "old");
        Content.Write("Sounds/Main/keep.txt", "");
        LoadContent();
        Monitor = Build("EdHotReloadMonitor")->GetComponent<EdHotReloadMonitorBhv>();
        Monitor->ChangeTimeout = 1.0f;
        UseBuild("exit 0");
    }

    void UseBuild(const std::string& script) {
        Monitor->BuildCommand = {"/bin/sh", "-c", "echo run >> '" + Log().string() + "'; " + script};
    }
    fs::path Log() const { return Content.Path() / "builds.log"; }
    int LoggedBuilds() const {
        std::ifstream in(Log());
        int lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        return lines;
    }

    // A file written, then enough real time for the watcher's poll to see it.
    void Touch(const std::string& name) {
        Content.Write("Textures/Sprites/Tst_Crate/" + name, "new");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    void Passes(int count) {
        for (int i = 0; i < count; ++i) {
            Pass();
        }
    }
    // Passes until the build has ended, at most a few seconds of real time.
    void AwaitBuild() {
        for (int i = 0; i < 500 && Monitor->IsBuilding(); ++i) {
            Pass();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_FALSE(Monitor->IsBuilding());
    }

    EdHotReloadMonitorBhv* Monitor = nullptr;
};

TEST_F(HotReloadTest, QuickChangesToATextureFolderGiveOneBuildAfterTheTimeout) {
    ASSERT_NE(Monitor, nullptr);
    EXPECT_EQ(Monitor->WatcherCount(), 3u) << "sounds, animations, one texture folder";
    Touch("Crate_0000.png");
    Passes(30);
    Touch("Crate_0001.png");
    // A second after the last change, not the first.
    Passes(55);
    EXPECT_EQ(Monitor->BuildsStarted, 0);
    Passes(10);
    EXPECT_EQ(Monitor->BuildsStarted, 1);
    AwaitBuild();
    EXPECT_EQ(LoggedBuilds(), 1);
    EXPECT_EQ(Monitor->SheetsReloaded, 1);
    EXPECT_EQ(Monitor->LastBuildError, "");

    // Working files of the painting program are not content.
    Touch("Crate (src).png");
    Touch("notes.txt");
    Passes(120);
    EXPECT_EQ(Monitor->BuildsStarted, 1);
}

TEST_F(HotReloadTest, AFailedOrSlowBuildNeitherReloadsNorHoldsTheGame) {
    UseBuild("sleep 1; exit 3");
    Touch("Crate_0000.png");
    Passes(70);
    ASSERT_EQ(Monitor->BuildsStarted, 1);
    // The passes go on while the build runs.
    const auto start = std::chrono::steady_clock::now();
    Passes(5);
    EXPECT_TRUE(Monitor->IsBuilding());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    AwaitBuild();
    EXPECT_EQ(Monitor->SheetsReloaded, 0) << "the old textures stay";
    EXPECT_EQ(Monitor->LastBuildError, "exited with status 3");

    // A build tool that cannot be started is reported and nothing waits on it.
    Monitor->BuildCommand = {(Content.Path() / "no-such-tool").string()};
    Touch("Crate_0000.png");
    Passes(70);
    EXPECT_EQ(Monitor->BuildsStarted, 2);
    EXPECT_FALSE(Monitor->IsBuilding());
    EXPECT_NE(Monitor->LastBuildError.find("cannot start"), std::string::npos);
}

TEST_F(HotReloadTest, NoDevelopmentFolderStartsNoWatcher) {
    Config.DevelopmentContentPath = (Content.Path() / "missing").string();
    GameObject* object = Build("EdHotReloadMonitor");
    EXPECT_EQ(object->GetComponent<EdHotReloadMonitorBhv>()->WatcherCount(), 0u);
    EXPECT_EQ(object->PendingDestroy, 1);
    EXPECT_TRUE(EdHotReloadMonitorBhv::IsReloadedFile("Hit.wav"));
    EXPECT_TRUE(EdHotReloadMonitorBhv::IsReloadedFile("Walk.anim"));
    EXPECT_FALSE(EdHotReloadMonitorBhv::IsReloadedFile("Hit (src).wav"));
}

}  // namespace
