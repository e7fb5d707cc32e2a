#include "ContentTestSupport.h"

#include <gtest/gtest.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <map>
#include <stdexcept>
#include <utility>

#include "object/TempFolder.h"
#include "tools/text/FontFace.h"

namespace qv::tools::test {
namespace {

namespace pt = boost::property_tree;

struct Font {
    pt::ptree Tree;
    const pt::ptree& Common() const { return Tree.get_child("font.common.<xmlattr>"); }
};

Font ReadFont(const std::string& name) {
    Font font;
    pt::read_xml((GeneratedContent() / "Fonts" / "Main" / (name + ".fnt")).string(), font.Tree);
    return font;
}

TEST(FontContent, EveryFontHasItsPageAndEveryPrintableGlyphInsideIt) {
    const auto files = FilesWithExtension(GeneratedContent() / "Fonts" / "Main", ".fnt");
    ASSERT_GE(files.size(), 4u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const Font font = ReadFont(file.stem().string());
        const float scaleW = FloatAt(font.Common(), "scaleW"), scaleH = FloatAt(font.Common(), "scaleH");
        EXPECT_GT(FloatAt(font.Common(), "lineHeight"), 0);
        const Image8 page =
            LoadPicture(file.parent_path() / font.Tree.get<std::string>("font.pages.page.<xmlattr>.file"));
        EXPECT_EQ(page.Width, static_cast<int>(scaleW));
        EXPECT_EQ(page.Height, static_cast<int>(scaleH));
        std::map<int, int> advances;
        for (const auto& [name, child] : font.Tree.get_child("font.chars")) {
            if (name != "char")
                continue;
            const auto& a = child.get_child("<xmlattr>");
            const int id = IntAt(a, "id");
            EXPECT_LE(FloatAt(a, "x") + FloatAt(a, "width"), scaleW) << id;
            EXPECT_LE(FloatAt(a, "y") + FloatAt(a, "height"), scaleH) << id;
            EXPECT_NO_THROW(FloatAt(a, "xoffset")) << id;
            EXPECT_NO_THROW(FloatAt(a, "yoffset")) << id;
            advances[id] = IntAt(a, "xadvance");
        }
        for (int c = 32; c <= 126; ++c) {
            ASSERT_EQ(advances.count(c), 1u) << "character " << c;
            EXPECT_GT(advances[c], 0) << "character " << c;
        }
    }
}

TEST(FontContent, SizesGrowAndBoldTitlesKernLikeTheFace) {
    float previous = 0;
    for (const char* name : {"Small", "Medium", "Large", "Title"}) {
        const float lineHeight = FloatAt(ReadFont(name).Common(), "lineHeight");
        EXPECT_GT(lineHeight, previous) << name;
        previous = lineHeight;
    }
    // "AV" pulls together in DejaVu Sans; the pair must come through with a negative amount.
    int av = 0;
    const Font title = ReadFont("Title");
    for (const auto& [name, child] : title.Tree.get_child("font.kernings")) {
        if (name != "kerning")
            continue;
        const auto& a = child.get_child("<xmlattr>");
        if (IntAt(a, "first") == 'A' && IntAt(a, "second") == 'V')
            av = IntAt(a, "amount");
    }
    EXPECT_LT(av, 0);
}

TEST(FontContent, GlyphsAreWhiteWithCoverageInAlpha) {
    const Font font = ReadFont("Medium");
    const Image8 page = LoadPicture(GeneratedContent() / "Fonts" / "Main" /
                                    font.Tree.get<std::string>("font.pages.page.<xmlattr>.file"));
    int opaque = 0;
    for (std::size_t i = 0; i < page.Pixels.size(); i += 4) {
        ASSERT_EQ(page.Pixels[i], 255);
        ASSERT_EQ(page.Pixels[i + 1], 255);
        ASSERT_EQ(page.Pixels[i + 2], 255);
        if (page.Pixels[i + 3] == 255)
            ++opaque;
    }
    EXPECT_GT(opaque, 500);
}

// Each failed open releases what it had taken; the sanitizer's leak check sees the rest.
TEST(FontFace, FilesThatCannotBeOpenedAsFontsAreNamed) {
    TempFolder folder;
    const std::filesystem::path notAFont = folder.Write("Notes.ttf", "not a font");
    const std::filesystem::path missing = folder.Path() / "Missing.ttf";
    const std::pair<std::filesystem::path, const char*> cases[] = {{notAFont, "not a readable font"},
                                                                   {missing, "font file is missing"}};
    for (const auto& [file, problem] : cases) {
        try {
            FontFace face(file, 16);
            ADD_FAILURE() << file << " opened as a font";
        } catch (const std::runtime_error& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(file.string() + ": " + problem, 0), 0u) << message;
        }
    }
    const FontFace face(DejaVuSansPath(false), 16);
    EXPECT_GT(face.LineHeight(), 16);
}

}  // namespace
}  // namespace qv::tools::test
