#include "assets/BitmapFont.h"

#include <boost/property_tree/ptree.hpp>
#include <initializer_list>
#include <optional>
#include <tuple>

#include "assets/SkippedElements.h"
#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/NumberText.h"
#include "object/XmlFile.h"

namespace pt = boost::property_tree;

namespace {

// What is wrong with one element, without the file or the element: the caller knows
// whether the whole file or only that element is lost.
struct ElementProblem {
    std::string What;
};

// Reads the attributes of one element.
class AttributeReader {
public:
    explicit AttributeReader(const pt::ptree& element) : mAttributes(element.get_child_optional("<xmlattr>")) {}

    std::string Text(const char* name) const {
        const auto value = mAttributes ? mAttributes->get_optional<std::string>(name) : boost::none;
        if (!value) {
            throw ElementProblem{std::string("lacks the attribute \"") + name + "\""};
        }
        return *value;
    }

    float Float(const char* name) const { return Number(name, ParseFloat(Text(name)), "a number"); }
    int Int(const char* name) const { return Number(name, ParseInt(Text(name)), "an integer"); }

    // A divisor: zero or less would turn every measure into infinity or a mirror image.
    float PositiveFloat(const char* name) const {
        const float value = Float(name);
        if (!(value > 0.0f)) {
            throw ElementProblem{std::string("\"") + name + "\" must be greater than 0"};
        }
        return value;
    }

    // A glyph's place along one side of the page: a size of 0 or more, and a start that
    // keeps the glyph on the page, so that it never samples beside it.
    float OnPage(const char* start, const char* size, const char* pageSizeName, float pageSize) const {
        const float from = Float(start);
        const float length = Float(size);
        if (length < 0.0f) {
            throw ElementProblem{std::string("\"") + size + "\" is " + QuotedContent(Text(size)) + ", less than 0"};
        }
        if (from < 0.0f || from + length > pageSize) {
            throw ElementProblem{std::string("\"") + start + "\" is " + QuotedContent(Text(start)) +
                                 ": the glyph reaches outside the page (\"" + pageSizeName + "\" " +
                                 FloatToText(pageSize) + ")"};
        }
        return from;
    }

private:
    template <class T>
    T Number(const char* name, const std::optional<T>& value, const char* kind) const {
        if (!value) {
            throw ElementProblem{std::string("\"") + name + "\" is not " + kind + ": " + QuotedContent(Text(name))};
        }
        return *value;
    }

    boost::optional<const pt::ptree&> mAttributes;
};

const pt::ptree& RequireElement(const pt::ptree& root, const char* path, const std::filesystem::path& file) {
    const auto element = root.get_child_optional(path);
    if (!element) {
        throw ContentError(file, std::string("the element \"") + path + "\" is missing");
    }
    return *element;
}

// Runs read over an element the font cannot do without: any problem loses the file.
template <class Read>
auto RequireReadable(const std::filesystem::path& file, const char* path, Read read) {
    try {
        return read();
    } catch (const ElementProblem& problem) {
        throw ContentError(file, std::string("\"") + path + "\": " + problem.What);
    }
}

// How messages name a "char" or "kerning" element: by its numbers when they read.
std::string ElementName(const AttributeReader& attributes, const char* kind, std::initializer_list<const char*> keys) {
    std::string name = kind;
    for (const char* key : keys) {
        try {
            const int number = attributes.Int(key);
            name += ' ';
            name += std::to_string(number);
        } catch (const ElementProblem&) {
            return std::string("a \"") + kind + "\" element";
        }
    }
    return name;
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

    const AttributeReader common(RequireElement(tree, "font.common", path));
    const auto [scaleW, scaleH, lineHeight] = RequireReadable(path, "font.common", [&] {
        return std::tuple(common.PositiveFloat("scaleW"), common.PositiveFloat("scaleH"),
                          common.PositiveFloat("lineHeight"));
    });
    const float invScaleW = 1.0f / scaleW;
    const float invScaleH = 1.0f / scaleH;
    LineHeightPixels = lineHeight;
    LineHeight = LineHeightPixels * invScaleH;
    PageAspect = scaleW / scaleH;

    // Only the first page: a font has one.
    const AttributeReader page(RequireElement(tree, "font.pages.page", path));
    const std::string pageFile = RequireReadable(path, "font.pages.page", [&] { return page.Text("file"); });

    // A glyph or kerning pair that cannot be used is left out; the rest of the font loads.
    SkippedElements skipped(path);
    std::map<int, BitmapFontGlyph> glyphs;
    for (const auto& [name, element] : RequireElement(tree, "font.chars", path)) {
        if (name != "char") {
            continue;
        }
        const AttributeReader attributes(element);
        try {
            BitmapFontGlyph glyph;
            glyph.Id = attributes.Int("id");
            glyph.X = attributes.OnPage("x", "width", "scaleW", scaleW) * invScaleW;
            glyph.Y = attributes.OnPage("y", "height", "scaleH", scaleH) * invScaleH;
            glyph.Width = attributes.Float("width") * invScaleW;
            glyph.Height = attributes.Float("height") * invScaleH;
            glyph.XOffset = attributes.Float("xoffset") * invScaleW;
            glyph.YOffset = attributes.Float("yoffset") * invScaleH;
            glyph.XAdvance = attributes.Float("xadvance") * invScaleW;
            glyphs[glyph.Id] = glyph;  // a repeated id keeps the later element
        } catch (const ElementProblem& problem) {
            skipped.Add(ElementName(attributes, "char", {"id"}), problem.What);
        }
    }

    std::multimap<int, BitmapFontKerning> kernings;
    if (const auto kerningList = tree.get_child_optional("font.kernings")) {
        for (const auto& [name, element] : *kerningList) {
            if (name != "kerning") {
                continue;
            }
            const AttributeReader attributes(element);
            try {
                BitmapFontKerning kerning;
                kerning.First = attributes.Int("first");
                kerning.Second = attributes.Int("second");
                kerning.Amount = attributes.Float("amount") * invScaleW;
                kernings.emplace(kerning.First, kerning);  // appended after equal keys: file order
            } catch (const ElementProblem& problem) {
                skipped.Add(ElementName(attributes, "kerning", {"first", "second"}), problem.What);
            }
        }
    }
    skipped.Tell();
    Glyphs = std::move(glyphs);
    Kernings = std::move(kernings);
    Page = std::make_unique<Texture>();
    Page->FilePath = path.parent_path() / pageFile;

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
