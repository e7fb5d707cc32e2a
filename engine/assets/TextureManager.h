#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "assets/SkippedElements.h"
#include "assets/Texture.h"
#include "assets/TextureBank.h"
#include "assets/TextureHost.h"
#include "assets/TextureOwner.h"
#include "assets/TextureOwnerLink.h"

class GameObject;

// Reads an image file into a texture (device texture, size, normal map); false when the
// image cannot be read, leaving the texture as it was.
using TextureImageLoader = std::function<bool(Texture& texture, const std::filesystem::path& path)>;

// Keeps every loaded texture bank, finds textures by name and reads atlases. One
// instance, gTextureManager, created by the application.
//
// A bank is the folder ContentFolder/<bank>: each ".sheet" image (any letter case) is a
// texture named by its stem, a "_COL" image losing that suffix; "_NRM" and "_SPEC"
// images are the companions the renderer reads beside a "_COL" image; an ".xml" atlas
// of the same stem names the frames. Entries are visited in name order, so the result
// does not depend on how the file system lists them.
class TextureManager : public TextureOwner {
public:
    static constexpr const char* DefaultContentFolder = "Content/Textures";

    // Images load through the renderer, which reads them again after a display change.
    // Without one (programs that open no window) loading an image is a logic error.
    explicit TextureManager(TextureHost* renderer);
    // Images load through the given function; no renderer is involved.
    explicit TextureManager(TextureImageLoader loader);
    ~TextureManager() override;

    // Lets property text read and write Texture* values by name through gTextureManager
    // (not found, and written as "", while there is none).
    static void InstallNameResolver();

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Loads the bank once; a second call does nothing. A missing folder raises
    // ContentError naming it. An atlas that cannot be read is told through WarnContent
    // and its texture loads without frames, as one without an atlas does.
    void LoadBank(const std::string& bankName);
    // Deletes the bank and its textures; nothing when it is not loaded.
    void UnloadBank(const std::string& bankName);
    bool IsBankLoaded(const std::string& bankName) const { return Banks.count(bankName) != 0; }

    // The first texture of that name, visiting the banks in ascending bank-name order;
    // null when no bank has it.
    Texture* GetTexture(const std::string& name) const;

    // Reads the atlas at atlasPath into the texture: loads the image the atlas names
    // (its extension replaced by ".sheet") and replaces the frames. Raises ContentError
    // naming the atlas when it cannot be read, before changing anything. A sprite that
    // lacks an attribute, holds a coordinate that is no integer or below 0, a size below
    // 1, or reaches outside the image, is left out and told through WarnContent.
    void ReadSheet(Texture* texture, const std::filesystem::path& atlasPath);
    // Reads the texture's atlas and image again in place, from the atlas it was loaded
    // with; sprites under root that show the texture keep their frames by name. Nothing
    // for a texture that has no atlas.
    void ReloadSheet(Texture* texture, GameObject* root);
    // The same over the whole object tree.
    void ReloadSheet(Texture* texture);

    // Depth first over object and its children: every sprite showing the texture stores
    // its frame's name (save) or selects the stored frame again (restore). Installed by
    // the sprites, which live above the assets; without it a reload keeps no frames.
    static void (*RefreshSprites)(GameObject* object, const Texture* texture, bool save);

    void ForEachTexture(const std::function<void(Texture&)>& visit) override;

    // Where the bank folders are; relative to the working directory.
    std::filesystem::path ContentFolder = DefaultContentFolder;
    // Bank name -> bank, in ascending name order.
    std::map<std::string, std::unique_ptr<TextureBank>> Banks;

private:
    struct NamedFrame {
        std::string Name;
        AtlasFrame Frame;
    };
    struct Atlas {
        explicit Atlas(const std::filesystem::path& atlasPath) : Skipped(atlasPath) {}

        std::filesystem::path ImagePath;
        std::vector<NamedFrame> Frames;
        SkippedElements Skipped;
    };

    static Atlas ParseAtlas(const std::filesystem::path& atlasPath);
    void ApplyAtlas(Texture& texture, const std::filesystem::path& atlasPath, Atlas atlas);
    std::unique_ptr<Texture> LoadSheetFile(const std::filesystem::path& sheetPath);

    TextureOwnerLink mRenderer;
    TextureImageLoader mLoader;
};

extern TextureManager* gTextureManager;
