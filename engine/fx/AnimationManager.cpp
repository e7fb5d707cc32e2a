#include "fx/AnimationManager.h"

#include <system_error>

#include "assets/ContentFiles.h"
#include "assets/TextureManager.h"
#include "object/GameConfig.h"

AnimationManager* gAnimationManager = nullptr;

namespace {

Texture* FindTextureInManager(const std::string& name) {
    return gTextureManager != nullptr ? gTextureManager->GetTexture(name) : nullptr;
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
    constexpr int DefaultUpdatesPerSecond = 60;
    const int updatesPerSecond = UpdatesPerSecond > 0 ? UpdatesPerSecond : DefaultUpdatesPerSecond;
    for (const std::filesystem::path& file : ListContentFiles(folder, ".anim")) {
        auto animation = std::make_unique<AnimationData>();
        animation->LoadFile(file, findTexture, updatesPerSecond);
        Animations[file.stem().string()] = std::move(animation);
    }
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
