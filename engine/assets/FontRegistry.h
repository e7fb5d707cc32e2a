#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "assets/BitmapFont.h"
#include "assets/TextureHost.h"
#include "assets/TextureOwner.h"
#include "assets/TextureOwnerLink.h"

// The fonts of one folder, by file stem. Deleting the group deletes its fonts and their
// page textures.
struct FontGroup {
    std::map<std::string, std::unique_ptr<BitmapFont>> Fonts;
};

// Every loaded font group, by group name; one instance, gFontRegistry. Lists the page
// textures to the renderer so that a display change reads them again.
class FontRegistry : public TextureOwner {
public:
    static constexpr const char* DefaultContentFolder = "Content/Fonts";

    // Page images load through the renderer, which reads them again after a display change.
    // Without one (programs that open no window) loading a page is a logic error.
    explicit FontRegistry(TextureHost* renderer);
    // Page images load through the given function; no renderer is involved.
    explicit FontRegistry(FontPageLoader loadPage);
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;
    // Deletes the groups still loaded.
    ~FontRegistry() override;

    // Lets property text read and write BitmapFont* values by name through gFontRegistry
    // (not found, and written as "", while there is none).
    static void InstallNameResolver();

    // Loads every ".fnt" file (extension in any case) directly inside the folder
    // ContentFolder/<group>, once: a group already loaded is kept as it is. ContentError
    // naming the folder when it cannot be listed. A font file that cannot be read is told
    // through WarnContent and left out, as if it were not there.
    void LoadGroup(const std::string& groupName);
    // Deletes the group's fonts; nothing for a group that is not loaded.
    void UnloadGroup(const std::string& groupName);

    // The first font of that name, visiting the groups in ascending order of group name;
    // null when none has it.
    BitmapFont* Find(const std::string& name) const;

    void ForEachTexture(const std::function<void(Texture&)>& visit) override;

    // Where the group folders are; relative to the working directory.
    std::filesystem::path ContentFolder = DefaultContentFolder;
    // Group name -> group, in ascending name order.
    std::map<std::string, std::unique_ptr<FontGroup>> Groups;

private:
    TextureOwnerLink mRenderer;
    FontPageLoader mLoadPage;
};

extern FontRegistry* gFontRegistry;
