#include "assets/FontRegistry.h"

#include "assets/ContentFiles.h"
#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/ResourceResolver.h"

FontRegistry* gFontRegistry = nullptr;

FontRegistry::FontRegistry(TextureHost* renderer)
    : mRenderer(renderer, this), mLoadPage(mRenderer.RendererLoader("font pages")) {}

FontRegistry::FontRegistry(FontPageLoader loadPage) : mRenderer(nullptr, this), mLoadPage(std::move(loadPage)) {}

FontRegistry::~FontRegistry() = default;

void FontRegistry::InstallNameResolver() {
    gResourceResolver.FindFont = [](const std::string& name) -> BitmapFont* {
        return gFontRegistry != nullptr ? gFontRegistry->Find(name) : nullptr;
    };
    gResourceResolver.FontName = [](const BitmapFont* font) { return font->Name; };
}

void FontRegistry::LoadGroup(const std::string& groupName) {
    if (Groups.count(groupName) != 0) {
        return;
    }
    auto group = std::make_unique<FontGroup>();
    for (const std::filesystem::path& file : ListContentFiles(ContentFolder / groupName, ".fnt")) {
        auto font = std::make_unique<BitmapFont>();
        const std::string name = file.stem().string();
        // The game goes on without a font it cannot read, as without one it cannot find.
        try {
            font->Load(file, mLoadPage);
        } catch (const ContentError& error) {
            WarnContent(std::string(error.what()) + "; the font \"" + name + "\" is left out");
            continue;
        }
        font->Name = name;
        group->Fonts[name] = std::move(font);
    }
    Groups[groupName] = std::move(group);
}

void FontRegistry::UnloadGroup(const std::string& groupName) {
    Groups.erase(groupName);
}

BitmapFont* FontRegistry::Find(const std::string& name) const {
    for (const auto& [groupName, group] : Groups) {
        const auto found = group->Fonts.find(name);
        if (found != group->Fonts.end()) {
            return found->second.get();
        }
    }
    return nullptr;
}

void FontRegistry::ForEachTexture(const std::function<void(Texture&)>& visit) {
    for (const auto& [groupName, group] : Groups) {
        for (const auto& [fontName, font] : group->Fonts) {
            if (font->Page != nullptr) {
                visit(*font->Page);
            }
        }
    }
}
