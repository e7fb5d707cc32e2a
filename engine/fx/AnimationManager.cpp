#include "fx/AnimationManager.h"

#include <exception>
#include <system_error>
#include <vector>

#include "assets/ContentFiles.h"
#include "assets/TextureManager.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/GameConfig.h"

AnimationManager* gAnimationManager = nullptr;

namespace {

Texture* FindTextureInManager(const std::string& name) {
    return gTextureManager != nullptr ? gTextureManager->GetTexture(name) : nullptr;
}

// A file that reads without error but gives no frame to show: often one saved half-way.
ContentError FramelessProblem(const std::filesystem::path& file) {
    std::error_code error;
    const bool empty = std::filesystem::file_size(file, error) == 0 && !error;
    return ContentError(file, empty ? "the file is empty" : "no line of the file is a frame");
}

}  // namespace

void AnimationManager::LoadAll() {
    LoadFrom(GetAnimationFolder(), FindTextureInManager);
}

void AnimationManager::LoadFrom(const std::filesystem::path& folder, const AnimationData::TextureFinder& findTexture) {
    Clear();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return;
    }
    for (const std::filesystem::path& file : ListContentFiles(folder, ".anim")) {
        const std::string name = file.stem().string();
        std::unique_ptr<AnimationData> animation;
        // The game goes on without an animation it cannot read, as without one it cannot find.
        try {
            animation = ReadFile(file, findTexture);
        } catch (const ContentError& error) {
            WarnContent(std::string(error.what()) + "; the animation \"" + name + "\" is left out");
            continue;
        }
        if (animation->Frames.empty()) {
            WarnContent(std::string(FramelessProblem(file).what()) + "; the animation \"" + name + "\" shows nothing");
        }
        Animations[name] = std::move(animation);
    }
}

void AnimationManager::ReloadAll() {
    ReloadFrom(GetAnimationFolder(), FindTextureInManager);
}

void AnimationManager::ReloadFrom(const std::filesystem::path& folder,
                                  const AnimationData::TextureFinder& findTexture) {
    std::vector<std::filesystem::path> files;
    try {
        files = ListContentFiles(folder, ".anim");
    } catch (const std::exception& error) {
        WarnContent(std::string(error.what()) + "; the animations stay as they were");
        return;
    }
    std::map<std::string, std::unique_ptr<AnimationData>> loaded;
    for (const std::filesystem::path& file : files) {
        const std::string name = file.stem().string();
        try {
            std::unique_ptr<AnimationData> animation = ReadFile(file, findTexture);
            if (animation->Frames.empty()) {
                throw FramelessProblem(file);
            }
            loaded[name] = std::move(animation);
            TellContentReadClean(file);
        } catch (const std::exception& error) {
            const auto old = Animations.find(name);
            const bool kept = old != Animations.end() && old->second != nullptr;
            WarnContent(std::string(error.what()) +
                        (kept ? "; the animation \"" + name + "\" loaded before is kept"
                              : "; there is no animation \"" + name + "\" until the file is mended"));
            if (kept) {
                loaded[name] = std::move(old->second);
            }
        }
    }
    Animations = std::move(loaded);
}

std::unique_ptr<AnimationData> AnimationManager::ReadFile(const std::filesystem::path& file,
                                                          const AnimationData::TextureFinder& findTexture) const {
    constexpr int DefaultUpdatesPerSecond = 60;
    auto animation = std::make_unique<AnimationData>();
    animation->LoadFile(file, findTexture, UpdatesPerSecond > 0 ? UpdatesPerSecond : DefaultUpdatesPerSecond);
    return animation;
}

void AnimationManager::Clear() {
    Animations.clear();
}

AnimationData* AnimationManager::Find(const std::string& name) const {
    const auto found = Animations.find(name);
    return found != Animations.end() ? found->second.get() : nullptr;
}

std::filesystem::path AnimationManager::GetAnimationFolder() {
    if (gGameConfig != nullptr && !gGameConfig->DevelopmentContentPath.empty()) {
        const std::filesystem::path development =
            std::filesystem::path(gGameConfig->DevelopmentContentPath) / "Animations";
        std::error_code error;
        if (std::filesystem::is_directory(development, error)) {
            return development;
        }
    }
    return std::filesystem::path("Content") / "Animations";
}
