#include "assets/FontRegistry.h"

#include "assets/ContentFiles.h"
#include "assets/Texture.h"
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
        font->Load(file, mLoadPage);
        font->Name = file.stem().string();
        group->Fonts[font->Name] = std::move(font);
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
