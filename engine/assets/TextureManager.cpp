#include "assets/TextureManager.h"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <cctype>
#include <optional>
#include <vector>

#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "object/ResourceResolver.h"
#include "object/SceneRoots.h"
#include "object/XmlFile.h"

TextureManager* gTextureManager = nullptr;

namespace {

using boost::property_tree::ptree;

const std::string kColorSuffix = "_COL";

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsSheetFile(const std::filesystem::directory_entry& entry) {
    return entry.is_regular_file() && LowerCase(entry.path().extension().string()) == ".sheet";
}

// Normal and specular images are read beside their colour image, never on their own.
bool IsCompanionImage(const std::string& stem) {
    return stem.find("_NRM") != std::string::npos || stem.find("_SPEC") != std::string::npos;
}

// A colour image's texture is named without its "_COL" suffix: Hero_COL gives Hero.
std::string TextureNameOfStem(const std::string& stem) {
    return EndsWith(stem, kColorSuffix) ? stem.substr(0, stem.size() - kColorSuffix.size()) : stem;
}

// Frames of a colour, normal or specular atlas share their names: the last "_COL",
// "_NRM" or "_SPEC" in the name is removed (Run_01_COL gives Run_01, A_COL_B_NRM gives
// A_COL_B).
std::string CleanFrameName(const std::string& name) {
    size_t best = std::string::npos;
    size_t length = 0;
    for (const std::string token : {"_COL", "_NRM", "_SPEC"}) {
        const size_t at = name.rfind(token);
        if (at != std::string::npos && (best == std::string::npos || at > best)) {
            best = at;
            length = token.size();
        }
    }
    if (best == std::string::npos) {
        return name;
    }
    return name.substr(0, best) + name.substr(best + length);
}

std::vector<std::filesystem::directory_entry> SortedEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::directory_entry> entries(std::filesystem::directory_iterator(folder), {});
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    return entries;
}

class AtlasReader {
public:
    explicit AtlasReader(const std::filesystem::path& path) : mPath(path) {}

    std::string RequiredText(const ptree& attributes, const char* element, const char* name) const {
        const auto value = attributes.get_optional<std::string>(name);
        if (!value) {
            Fail(std::string("<") + element + "> lacks the attribute \"" + name + "\"");
        }
        return *value;
    }

    int RequiredInt(const ptree& attributes, const char* name, const std::string& frame) const {
        const std::string text = RequiredText(attributes, "sprite", name);
        const std::optional<int> value = ParseInt(text);
        if (!value) {
            Fail("sprite " + QuotedContent(frame) + ": attribute \"" + name + "\" is " + QuotedContent(text) +
                 ", not an integer");
        }
        return *value;
    }

    static int OptionalInt(const ptree& attributes, const char* name, int fallback) {
        const auto text = attributes.get_optional<std::string>(name);
        const std::optional<int> value = text ? ParseInt(*text) : std::nullopt;
        return value.value_or(fallback);
    }

    [[noreturn]] void Fail(const std::string& problem) const { throw ContentError(mPath, problem); }

private:
    std::filesystem::path mPath;
};

const ptree& AttributesOf(const ptree& element) {
    static const ptree kNone;
    const auto attributes = element.get_child_optional("<xmlattr>");
    return attributes ? *attributes : kNone;
}

}  // namespace

void (*TextureManager::RefreshSprites)(GameObject* object, const Texture* texture, bool save) = nullptr;

TextureManager::TextureManager(TextureHost* renderer)
    : mRenderer(renderer, this), mLoader(mRenderer.RendererLoader("textures")) {}

TextureManager::TextureManager(TextureImageLoader loader) : mRenderer(nullptr, this), mLoader(std::move(loader)) {}

TextureManager::~TextureManager() = default;

void TextureManager::InstallNameResolver() {
    gResourceResolver.FindTexture = [](const std::string& name) -> Texture* {
        return gTextureManager != nullptr ? gTextureManager->GetTexture(name) : nullptr;
    };
    gResourceResolver.TextureName = [](const Texture* texture) -> std::string {
        return texture != nullptr ? texture->Name : std::string();
    };
}

void TextureManager::LoadBank(const std::string& bankName) {
    if (IsBankLoaded(bankName)) {
        return;
    }
    const std::filesystem::path folder = ContentFolder / bankName;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw ContentError(folder, "texture bank folder not found");
    }
    auto bank = std::make_unique<TextureBank>();
    for (const auto& entry : SortedEntries(folder)) {
        if (!IsSheetFile(entry) || IsCompanionImage(entry.path().stem().string())) {
            continue;
        }
        bank->Add(LoadSheetFile(entry.path()));
    }
    Banks[bankName] = std::move(bank);
}

std::unique_ptr<Texture> TextureManager::LoadSheetFile(const std::filesystem::path& sheetPath) {
    auto texture = std::make_unique<Texture>();
    texture->FilePath = sheetPath;
    std::filesystem::path atlasPath = sheetPath;
    atlasPath.replace_extension(".xml");
    std::error_code error;
    if (std::filesystem::is_regular_file(atlasPath, error)) {
        ReadSheet(texture.get(), atlasPath);
    } else {
        mLoader(*texture, sheetPath);
    }
    texture->Name = TextureNameOfStem(sheetPath.stem().string());
    return texture;
}

void TextureManager::UnloadBank(const std::string& bankName) {
    Banks.erase(bankName);
}

Texture* TextureManager::GetTexture(const std::string& name) const {
    for (const auto& [bankName, bank] : Banks) {
        if (Texture* texture = bank->Find(name)) {
            return texture;
        }
    }
    return nullptr;
}

TextureManager::Atlas TextureManager::ParseAtlas(const std::filesystem::path& atlasPath) {
    const AtlasReader reader(atlasPath);
    const ptree document = ReadXmlFile(atlasPath);
    const auto root = document.get_child_optional("TextureAtlas");
    if (!root) {
        reader.Fail("no <TextureAtlas> root element");
    }
    Atlas atlas;
    atlas.ImagePath = atlasPath.parent_path() / reader.RequiredText(AttributesOf(*root), "TextureAtlas", "imagePath");
    atlas.ImagePath.replace_extension(".sheet");
    for (const auto& [elementName, element] : *root) {
        if (elementName != "sprite") {
            continue;
        }
        const ptree& attributes = AttributesOf(element);
        NamedFrame frame;
        frame.Name = CleanFrameName(reader.RequiredText(attributes, "sprite", "n"));
        AtlasFrame& f = frame.Frame;
        f.X = reader.RequiredInt(attributes, "x", frame.Name);
        f.Y = reader.RequiredInt(attributes, "y", frame.Name);
        f.Width = reader.RequiredInt(attributes, "w", frame.Name);
        f.Height = reader.RequiredInt(attributes, "h", frame.Name);
        f.OffsetX = AtlasReader::OptionalInt(attributes, "oX", 0);
        f.OffsetY = AtlasReader::OptionalInt(attributes, "oY", 0);
        f.UntrimmedWidth = AtlasReader::OptionalInt(attributes, "oW", f.Width);
        f.UntrimmedHeight = AtlasReader::OptionalInt(attributes, "oH", f.Height);
        atlas.Frames.push_back(std::move(frame));
    }
    return atlas;
}

// The image loads before any frame is added: the frames are fractions of its size.
void TextureManager::ApplyAtlas(Texture& texture, const std::filesystem::path& atlasPath, const Atlas& atlas) {
    texture.FilePath = atlas.ImagePath;
    texture.AtlasPath = atlasPath;
    mLoader(texture, texture.FilePath);
    texture.ClearFrames();
    for (const NamedFrame& frame : atlas.Frames) {
        texture.AddFrame(frame.Name, frame.Frame);
    }
}

void TextureManager::ReadSheet(Texture* texture, const std::filesystem::path& atlasPath) {
    ApplyAtlas(*texture, atlasPath, ParseAtlas(atlasPath));
}

void TextureManager::ReloadSheet(Texture* texture, GameObject* root) {
    if (texture == nullptr || texture->AtlasPath.empty()) {
        return;
    }
    // Parsed first: a malformed atlas raises before the texture or any sprite changes.
    const std::filesystem::path atlasPath = texture->AtlasPath;
    const Atlas atlas = ParseAtlas(atlasPath);
    if (root != nullptr && RefreshSprites != nullptr) {
        RefreshSprites(root, texture, true);
    }
    texture->ReleaseDeviceTextures();
    texture->ClearFrames();
    ApplyAtlas(*texture, atlasPath, atlas);
    if (root != nullptr && RefreshSprites != nullptr) {
        RefreshSprites(root, texture, false);
    }
}

void TextureManager::ReloadSheet(Texture* texture) {
    ReloadSheet(texture, gRootObject);
}

void TextureManager::ForEachTexture(const std::function<void(Texture&)>& visit) {
    for (const auto& [bankName, bank] : Banks) {
        bank->ForEachTexture(visit);
    }
}
