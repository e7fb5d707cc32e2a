#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "assets/AnimationData.h"

// Every animation of the animation folder, by file stem. One instance, gAnimationManager.
class AnimationManager {
public:
    AnimationManager() = default;
    AnimationManager(const AnimationManager&) = delete;
    AnimationManager& operator=(const AnimationManager&) = delete;
    virtual ~AnimationManager() = default;

    // Clears, then reads every ".anim" file (extension in any case) directly inside the
    // animation folder; a missing folder leaves no animations. Frames find their
    // textures through the texture manager, so load the textures first. A file that
    // cannot be read (AnimationData::LoadFile) is told through WarnContent and left out,
    // as if it were not there; one without frames is told too.
    void LoadAll();
    // The same from a folder and a texture lookup of one's choosing.
    void LoadFrom(const std::filesystem::path& folder, const AnimationData::TextureFinder& findTexture);
    // Reads every file again (the hot reload) without clearing first: a file that fails,
    // or gives no frames, keeps the animation it gave before (none when it never loaded)
    // and is named through WarnContent; every other file's animation is replaced (the
    // file told read clean), and those of removed files go. A folder that cannot be read
    // keeps every animation.
    void ReloadAll();
    void ReloadFrom(const std::filesystem::path& folder, const AnimationData::TextureFinder& findTexture);
    void Clear();

    // The animation of that name, or null. Look it up each time it is used: a reload
    // replaces the animations.
    AnimationData* Find(const std::string& name) const;

    // "Animations" under the development content path when that folder exists, otherwise
    // "Content/Animations" (relative to the working directory).
    static std::filesystem::path GetAnimationFolder();

    std::map<std::string, std::unique_ptr<AnimationData>> Animations;
    // Step counts in the files are fixed update steps of the main loop; the application
    // sets its rate here before loading.
    int32_t UpdatesPerSecond = 60;

private:
    // One file read into a new animation; ContentError as AnimationData::LoadFile.
    std::unique_ptr<AnimationData> ReadFile(const std::filesystem::path& file,
                                            const AnimationData::TextureFinder& findTexture) const;
};

extern AnimationManager* gAnimationManager;
