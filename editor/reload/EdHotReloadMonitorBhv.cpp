#include "editor/reload/EdHotReloadMonitorBhv.h"

#include <algorithm>
#include <array>
#include <exception>

#include "assets/TextureManager.h"
#include "audio/SoundManager.h"
#include "fx/AnimationManager.h"
#include "object/ContentWarning.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "platform/DebugPrint.h"
#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kSoundFolder = 0;
constexpr size_t kAnimationFolder = 1;
constexpr size_t kFirstTextureFolder = 2;
constexpr const char* kSoundBank = "Main";

// root/Textures/<bank>/<texture>, in directory order.
std::vector<fs::path> TextureSourceFolders(const fs::path& root) {
    std::vector<fs::path> folders;
    std::error_code error;
    for (const fs::directory_entry& bank : fs::directory_iterator(root / "Textures", error)) {
        if (!bank.is_directory()) {
            continue;
        }
        for (const fs::directory_entry& texture : fs::directory_iterator(bank.path(), error)) {
            if (texture.is_directory()) {
                folders.push_back(texture.path());
            }
        }
    }
    return folders;
}

// A source folder that gained its first "_NRM" or "_SPEC" picture, or lost its last one,
// is packed lit ("<name>_COL.xml") or unlit ("<name>.xml") and the other atlas is gone:
// the texture follows to the new one.
void FollowLightingChange(Texture& texture) {
    std::error_code error;
    if (texture.AtlasPath.empty() || fs::exists(texture.AtlasPath, error)) {
        return;
    }
    const std::string stem = texture.AtlasPath.stem().string();
    const bool lit = stem.size() > 4 && stem.compare(stem.size() - 4, 4, "_COL") == 0;
    const fs::path other =
        texture.AtlasPath.parent_path() / ((lit ? stem.substr(0, stem.size() - 4) : stem + "_COL") + ".xml");
    if (fs::exists(other, error)) {
        texture.AtlasPath = other;
    }
}

}  // namespace

EdHotReloadMonitorBhv::EdHotReloadMonitorBhv() {
    RegisterProperty(&ChangeTimeout, "ChangeTimeout");
}

// The watchers join their threads and a running build is stopped as the members go.
EdHotReloadMonitorBhv::~EdHotReloadMonitorBhv() = default;

bool EdHotReloadMonitorBhv::IsReloadedFile(const std::string& fileName) {
    if (fileName.find("(src)") != std::string::npos) {
        return false;
    }
    static constexpr std::array<const char*, 7> kExtensions = {".png", ".psd", ".gif", ".jpg", ".anim", ".wav", ".mp3"};
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [&](const char* extension) { return fileName.find(extension) != std::string::npos; });
}

fs::path EdHotReloadMonitorBhv::FindBuildFolder() {
    std::error_code error;
    for (fs::path folder = GetProgramFolder(); !folder.empty(); folder = folder.parent_path()) {
        if (fs::exists(folder / "CMakeCache.txt", error)) {
            return folder;
        }
        if (folder == folder.parent_path()) {
            break;
        }
    }
    return {};
}

void EdHotReloadMonitorBhv::Start() {
    const fs::path root = gGameConfig != nullptr ? fs::path(gGameConfig->DevelopmentContentPath) : fs::path();
    std::error_code error;
    if (BuildCommand.empty()) {
        const fs::path buildFolder = FindBuildFolder();
        if (!buildFolder.empty()) {
            BuildCommand = {"cmake", "--build", buildFolder.string(), "--target", "content"};
        }
    }
    if (root.empty() || !fs::is_directory(root, error) || BuildCommand.empty()) {
        if (Owner != nullptr) {
            Owner->Destroy();
        }
        return;
    }
    WatchFolders(root);
}

void EdHotReloadMonitorBhv::WatchFolders(const fs::path& root) {
    mFolders.push_back(gSoundManager != nullptr ? gSoundManager->GetSoundFolder() / kSoundBank
                                                : root / "Sounds" / kSoundBank);
    mFolders.push_back(AnimationManager::GetAnimationFolder());
    for (const fs::path& folder : TextureSourceFolders(root)) {
        mFolders.push_back(folder);
    }
    mPending.assign(mFolders.size(), 0);
    for (const fs::path& folder : mFolders) {
        mWatchers.push_back(std::make_unique<DirectoryWatcher>(folder, IsReloadedFile));
    }
}

void EdHotReloadMonitorBhv::Update() {
    for (size_t i = 0; i < mWatchers.size(); ++i) {
        if (!mWatchers[i]->TakeChange()) {
            continue;
        }
        if (i == kSoundFolder) {
            ReloadSounds();
        } else if (i == kAnimationFolder) {
            ReloadAnimations();
        } else {
            mPending[i] = 1;
            mWaitLeft = ChangeTimeout;
        }
    }
    const ProcessRunner::State state = mBuild.Poll();
    if (state == ProcessRunner::State::Succeeded || state == ProcessRunner::State::Failed) {
        FinishBuild(state);
    }
    if (std::find(mPending.begin(), mPending.end(), 1) == mPending.end()) {
        return;
    }
    mWaitLeft -= gGameTime != nullptr ? gGameTime->DeltaTime : 0.0f;
    // Changes during a build wait for it and then get one build of their own.
    if (mWaitLeft <= 0.0f && !mBuild.IsRunning()) {
        StartBuild();
    }
}

void EdHotReloadMonitorBhv::ReloadSounds() {
    if (gSoundManager == nullptr) {
        return;
    }
    try {
        gSoundManager->ReloadBank(kSoundBank);
    } catch (const std::exception& e) {
        WarnContent(std::string("Hot reload: sound bank \"") + kSoundBank + "\" not reloaded: " + e.what());
    }
}

void EdHotReloadMonitorBhv::ReloadAnimations() {
    if (gAnimationManager == nullptr) {
        return;
    }
    try {
        gAnimationManager->ReloadAll();
    } catch (const std::exception& e) {
        WarnContent(std::string("Hot reload: animations not reloaded: ") + e.what());
    }
}

void EdHotReloadMonitorBhv::StartBuild() {
    mBuilding.clear();
    for (size_t i = kFirstTextureFolder; i < mPending.size(); ++i) {
        if (mPending[i] != 0) {
            mBuilding.push_back(i);
            mPending[i] = 0;
        }
    }
    ++BuildsStarted;
    if (!mBuild.Start(BuildCommand, fs::path())) {
        LastBuildError = mBuild.Error;
        DebugPrint(("Hot reload: content build not started: " + LastBuildError + "\n").c_str());
        mBuilding.clear();
    }
}

void EdHotReloadMonitorBhv::FinishBuild(ProcessRunner::State state) {
    if (state == ProcessRunner::State::Failed) {
        // The old sheets stay: they still match the old atlases.
        LastBuildError = mBuild.Error;
        DebugPrint(("Hot reload: content build failed (" + LastBuildError + "); textures kept\n").c_str());
        mBuilding.clear();
        return;
    }
    LastBuildError.clear();
    for (size_t i : mBuilding) {
        ++SheetsReloaded;
        Texture* texture =
            gTextureManager != nullptr ? gTextureManager->GetTexture(mFolders[i].filename().string()) : nullptr;
        if (texture == nullptr) {
            continue;
        }
        // A bad atlas from the build is reported; the texture keeps its old frames.
        try {
            FollowLightingChange(*texture);
            gTextureManager->ReloadSheet(texture);
        } catch (const std::exception& e) {
            LastBuildError = e.what();
            DebugPrint(
                ("Hot reload: texture \"" + texture->Name + "\" not reloaded: " + LastBuildError + "\n").c_str());
        }
    }
    mBuilding.clear();
}
