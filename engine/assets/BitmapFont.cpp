#include "assets/BitmapFont.h"

#include <boost/property_tree/ptree.hpp>

#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/NumberText.h"
#include "object/XmlFile.h"

namespace pt = boost::property_tree;

namespace {

// Reads the attributes of one element, naming the file and the element in every error.
class AttributeReader {
public:
    AttributeReader(const pt::ptree& element, const std::filesystem::path& file, std::string where)
        : mAttributes(element.get_child_optional("<xmlattr>")), mFile(file), mWhere(std::move(where)) {}

    std::string Text(const char* name) const {
        const auto value = mAttributes ? mAttributes->get_optional<std::string>(name) : boost::none;
        if (!value) {
            throw ContentError(mFile, mWhere + " lacks the attribute \"" + name + "\"");
        }
        return *value;
    }

    float Float(const char* name) const { return Number(name, ParseFloat(Text(name)), "a number"); }
    int Int(const char* name) const { return Number(name, ParseInt(Text(name)), "an integer"); }

    // A divisor: zero or less would turn every measure into infinity or a mirror image.
    float PositiveFloat(const char* name) const {
        const float value = Float(name);
        if (!(value > 0.0f)) {
            throw ContentError(mFile, mWhere + ": \"" + name + "\" must be greater than 0");
        }
        return value;
    }

private:
    template <class T>
    T Number(const char* name, const std::optional<T>& value, const char* kind) const {
        if (!value) {
            throw ContentError(mFile, mWhere + ": \"" + name + "\" is not " + kind + ": \"" + Text(name) + "\"");
        }
        return *value;
    }

    boost::optional<const pt::ptree&> mAttributes;
    const std::filesystem::path& mFile;
    std::string mWhere;
};

const pt::ptree& RequireElement(const pt::ptree& root, const char* path, const std::filesystem::path& file) {
    const auto element = root.get_child_optional(path);
    if (!element) {
        throw ContentError(file, std::string("the element \"") + path + "\" is missing");
    }
    return *element;
}

uint64_t NextFontRevision() {
    static uint64_t last = 0;
    return ++last;
}

}  // namespace

BitmapFont::BitmapFont() : mRevision(NextFontRevision()) {}

BitmapFont::~BitmapFont() = default;

void BitmapFont::Load(const std::filesystem::path& path, const FontPageLoader& loadPage) {
    mRevision = NextFontRevision();
    Name.clear();
    Page.reset();
    LineHeight = 1.0f;
    LineHeightPixels = 0.0f;
    PageAspect = 1.0f;
    Glyphs.clear();
    Kernings.clear();

    const pt::ptree tree = ReadXmlFile(path);

    const AttributeReader common(RequireElement(tree, "font.common", path), path, "\"font.common\"");
    const float scaleW = common.PositiveFloat("scaleW");
    const float scaleH = common.PositiveFloat("scaleH");
    const float invScaleW = 1.0f / scaleW;
    const float invScaleH = 1.0f / scaleH;
    LineHeightPixels = common.PositiveFloat("lineHeight");
    LineHeight = LineHeightPixels * invScaleH;
    PageAspect = scaleW / scaleH;

    // Only the first page: a font has one.
    const AttributeReader page(RequireElement(tree, "font.pages.page", path), path, "\"font.pages.page\"");
    Page = std::make_unique<Texture>();
    Page->FilePath = path.parent_path() / page.Text("file");

    for (const auto& [name, element] : RequireElement(tree, "font.chars", path)) {
        if (name != "char") {
            continue;
        }
        const AttributeReader attributes(element, path, "a \"char\" element");
        BitmapFontGlyph glyph;
        glyph.Id = attributes.Int("id");
        glyph.X = attributes.Float("x") * invScaleW;
        glyph.Y = attributes.Float("y") * invScaleH;
        glyph.Width = attributes.Float("width") * invScaleW;
        glyph.Height = attributes.Float("height") * invScaleH;
        glyph.XOffset = attributes.Float("xoffset") * invScaleW;
        glyph.YOffset = attributes.Float("yoffset") * invScaleH;
        glyph.XAdvance = attributes.Float("xadvance") * invScaleW;
        Glyphs[glyph.Id] = glyph;  // a repeated id keeps the later element
    }

    if (const auto kernings = tree.get_child_optional("font.kernings")) {
        for (const auto& [name, element] : *kernings) {
            if (name != "kerning") {
                continue;
            }
            const AttributeReader attributes(element, path, "a \"kerning\" element");
            BitmapFontKerning kerning;
            kerning.First = attributes.Int("first");
            kerning.Second = attributes.Int("second");
            kerning.Amount = attributes.Float("amount") * invScaleW;
            Kernings.emplace(kerning.First, kerning);  // appended after equal keys: file order
        }
    }

    // Parsed before the image is read, so a malformed file never costs a texture load.
    if (loadPage) {
        loadPage(*Page, Page->FilePath);
    }
}

float BitmapFont::GetKerning(int first, int second) const {
    const auto [begin, end] = Kernings.equal_range(first);
    for (auto it = begin; it != end; ++it) {
        if (it->second.Second == second) {
            return it->second.Amount;
        }
    }
    return 0.0f;
}

const BitmapFontGlyph* BitmapFont::FindGlyph(int id) const {
    const auto found = Glyphs.find(id);
    return found != Glyphs.end() ? &found->second : nullptr;
}
