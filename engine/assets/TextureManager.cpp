#include "assets/TextureManager.h"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <cctype>
#include <limits>
#include <optional>
#include <vector>

#include "object/ContentError.h"
#include "object/ContentWarning.h"
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

// What is wrong with one sprite of an atlas: the sprite is left out.
struct SpriteProblem {
    std::string What;
};

std::string RequiredText(const ptree& attributes, const char* name) {
    const auto value = attributes.get_optional<std::string>(name);
    if (!value) {
        throw SpriteProblem{std::string("lacks the attribute \"") + name + "\""};
    }
    return *value;
}

// A required integer of at least least.
int RequiredInt(const ptree& attributes, const char* name, int least) {
    const std::string text = RequiredText(attributes, name);
    const std::optional<int> value = ParseInt(text);
    if (!value) {
        throw SpriteProblem{std::string("\"") + name + "\" is " + QuotedContent(text) + ", not an integer"};
    }
    if (*value < least) {
        throw SpriteProblem{std::string("\"") + name + "\" is " + QuotedContent(text) + ", less than " +
                            std::to_string(least)};
    }
    return *value;
}

// An optional integer: its default when missing or no integer. One given below least
// would make the trim rectangle infinite or mirrored.
int OptionalInt(const ptree& attributes, const char* name, int fallback, int least) {
    const auto text = attributes.get_optional<std::string>(name);
    const std::optional<int> value = text ? ParseInt(*text) : std::nullopt;
    if (value && *value < least) {
        throw SpriteProblem{std::string("\"") + name + "\" is " + QuotedContent(*text) + ", less than " +
                            std::to_string(least)};
    }
    return value.value_or(fallback);
}

AtlasFrame ReadSpriteFrame(const ptree& attributes) {
    AtlasFrame f;
    f.X = RequiredInt(attributes, "x", 0);
    f.Y = RequiredInt(attributes, "y", 0);
    f.Width = RequiredInt(attributes, "w", 1);
    f.Height = RequiredInt(attributes, "h", 1);
    f.OffsetX = OptionalInt(attributes, "oX", 0, std::numeric_limits<int>::min());
    f.OffsetY = OptionalInt(attributes, "oY", 0, std::numeric_limits<int>::min());
    f.UntrimmedWidth = OptionalInt(attributes, "oW", f.Width, 1);
    f.UntrimmedHeight = OptionalInt(attributes, "oH", f.Height, 1);
    return f;
}

// A frame reaching past the image would show what lies beside it, or nothing.
bool LiesInside(const AtlasFrame& f, float width, float height) {
    return static_cast<float>(f.X) + static_cast<float>(f.Width) <= width &&
           static_cast<float>(f.Y) + static_cast<float>(f.Height) <= height;
}

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
    texture->Name = TextureNameOfStem(sheetPath.stem().string());
    std::error_code error;
    if (!std::filesystem::is_regular_file(atlasPath, error)) {
        mLoader(*texture, sheetPath);
        return texture;
    }
    try {
        ReadSheet(texture.get(), atlasPath);
    } catch (const ContentError& problem) {
        // As without an atlas: the image alone. The path stays, so that a mended atlas
        // can be read again.
        WarnContent(std::string(problem.what()) + "; the texture \"" + texture->Name + "\" has no frames");
        texture->AtlasPath = atlasPath;
        mLoader(*texture, sheetPath);
    }
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
    const ptree document = ReadXmlFile(atlasPath);
    const auto root = document.get_child_optional("TextureAtlas");
    if (!root) {
        throw ContentError(atlasPath, "no <TextureAtlas> root element");
    }
    const auto imagePath = AttributesOf(*root).get_optional<std::string>("imagePath");
    if (!imagePath) {
        throw ContentError(atlasPath, "<TextureAtlas> lacks the attribute \"imagePath\"");
    }
    Atlas atlas(atlasPath);
    atlas.ImagePath = atlasPath.parent_path() / *imagePath;
    atlas.ImagePath.replace_extension(".sheet");
    for (const auto& [elementName, element] : *root) {
        if (elementName != "sprite") {
            continue;
        }
        const ptree& attributes = AttributesOf(element);
        const auto name = attributes.get_optional<std::string>("n");
        try {
            if (!name) {
                throw SpriteProblem{"lacks the attribute \"n\""};
            }
            atlas.Frames.push_back(NamedFrame{CleanFrameName(*name), ReadSpriteFrame(attributes)});
        } catch (const SpriteProblem& problem) {
            atlas.Skipped.Add(name ? "sprite " + QuotedContent(*name) : "a <sprite>", problem.What);
        }
    }
    return atlas;
}

// The image loads before any frame is added: the frames are fractions of its size.
void TextureManager::ApplyAtlas(Texture& texture, const std::filesystem::path& atlasPath, Atlas atlas) {
    texture.FilePath = atlas.ImagePath;
    texture.AtlasPath = atlasPath;
    mLoader(texture, texture.FilePath);
    texture.ClearFrames();
    // Without an image there is no size to hold the frames to.
    const bool sized = texture.Width > 0.0f && texture.Height > 0.0f;
    for (const NamedFrame& frame : atlas.Frames) {
        if (sized && !LiesInside(frame.Frame, texture.Width, texture.Height)) {
            atlas.Skipped.Add("sprite " + QuotedContent(frame.Name), "it reaches outside the image of " +
                                                                         FloatToText(texture.Width) + " x " +
                                                                         FloatToText(texture.Height) + " pixels");
            continue;
        }
        texture.AddFrame(frame.Name, frame.Frame);
    }
    atlas.Skipped.Tell();
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
    Atlas atlas = ParseAtlas(atlasPath);
    if (root != nullptr && RefreshSprites != nullptr) {
        RefreshSprites(root, texture, true);
    }
    texture->ReleaseDeviceTextures();
    texture->ClearFrames();
    ApplyAtlas(*texture, atlasPath, std::move(atlas));
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
