#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "object/Behavior.h"
#include "platform/DirectoryWatcher.h"
#include "platform/ProcessRunner.h"

// Reloads content while the game runs: the "Main" sound bank and the animations at once,
// texture source folders through one content build that starts ChangeTimeout seconds
// after the last change and runs beside the game. Only with a development content path
// and a build folder beside the program.
class EdHotReloadMonitorBhv : public Behavior {
public:
    EdHotReloadMonitorBhv();
    ~EdHotReloadMonitorBhv() override;

    void Start() override;
    void Update() override;

    // Whether a change to this file name is worth a reload: images, animations, sounds,
    // never a "(src)" working file.
    static bool IsReloadedFile(const std::string& fileName);
    // The folder holding CMakeCache.txt at or above the program's folder; empty if none.
    static std::filesystem::path FindBuildFolder();

    size_t WatcherCount() const { return mWatchers.size(); }
    bool IsBuilding() const { return mBuild.IsRunning(); }

    float ChangeTimeout = 1.0f;
    // Set before Start to build otherwise (tests); by default
    // "cmake --build <build folder> --target content".
    std::vector<std::string> BuildCommand;
    int BuildsStarted = 0;
    // Texture folders taken through a successful build (their sheets read again).
    int SheetsReloaded = 0;
    std::string LastBuildError;

private:
    void WatchFolders(const std::filesystem::path& root);
    void ReloadSounds();
    void ReloadAnimations();
    void StartBuild();
    void FinishBuild(ProcessRunner::State state);

    std::vector<std::filesystem::path> mFolders;
    std::vector<std::unique_ptr<DirectoryWatcher>> mWatchers;
    std::vector<uint8_t> mPending;
    std::vector<size_t> mBuilding;
    float mWaitLeft = 0.0f;
    ProcessRunner mBuild;
};
