#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ToldWarnings.h"
#include "assets/BitmapFont.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "object/ContentError.h"
#include "object/PropertyText.h"
#include "object/ResourceResolver.h"
#include "object/TempFolder.h"
#include "render/TextCmp.h"

namespace {

// A ".fnt" description with a 256 x 256 page; chars and kernings are the given XML.
std::string FontXml(const std::string& chars, const std::string& kernings = "",
                    const std::string& common = R"(lineHeight="32" base="26" scaleW="256" scaleH="256")") {
    return "<?xml version=\"1.0\"?>\n<font>\n"
           "  <info face=\"Test\" size=\"32\"/>\n"
           "  <common " +
           common +
           " pages=\"1\"/>\n"
           "  <pages><page id=\"0\" file=\"Test_0.png\"/></pages>\n"
           "  <chars count=\"1\">" +
           chars + "</chars>\n" + kernings + "</font>\n";
}

const char* kOneGlyph =
    R"(<char id="65" x="128" y="64" width="16" height="32" xoffset="1" yoffset="2" xadvance="18" page="0"/>)";

std::string ErrorOf(const std::filesystem::path& file) {
    BitmapFont font;
    try {
        font.Load(file, nullptr);
    } catch (const ContentError& e) {
        return e.what();
    }
    return "no error";
}

TEST(BitmapFontTest, MeasuresAreFractionsOfThePageAndThePageLiesBesideTheFile) {
    TempFolder folder;
    const auto file = folder.Write("Fonts/Test.fnt", FontXml(kOneGlyph));
    BitmapFont font;
    font.Load(file, nullptr);

    const BitmapFontGlyph* glyph = font.FindGlyph('A');
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Id, 65);
    EXPECT_FLOAT_EQ(glyph->X, 0.5f);
    EXPECT_FLOAT_EQ(glyph->Y, 0.25f);
    EXPECT_FLOAT_EQ(glyph->Width, 0.0625f);
    EXPECT_FLOAT_EQ(glyph->Height, 0.125f);
    EXPECT_FLOAT_EQ(glyph->XAdvance, 0.0703125f);
    EXPECT_FLOAT_EQ(glyph->XOffset, 1.0f / 256.0f);
    EXPECT_FLOAT_EQ(glyph->YOffset, 2.0f / 256.0f);
    EXPECT_EQ(font.FindGlyph('B'), nullptr);

    EXPECT_FLOAT_EQ(font.LineHeightPixels, 32.0f);
    EXPECT_FLOAT_EQ(font.LineHeight, 0.125f);
    EXPECT_FLOAT_EQ(font.PageAspect, 1.0f);
    EXPECT_EQ(font.Name, "");
    ASSERT_NE(font.Page, nullptr);
    EXPECT_EQ(font.Page->FilePath, folder.Path() / "Fonts" / "Test_0.png");
    EXPECT_EQ(font.Page->Name, "");
    EXPECT_EQ(font.Page->GetFrameCount(), 0);
}

TEST(BitmapFontTest, HorizontalMeasuresDivideByTheWidthAndVerticalOnesByTheHeight) {
    TempFolder folder;
    const auto file = folder.Write("Wide.fnt", FontXml(kOneGlyph, "", R"(lineHeight="32" scaleW="512" scaleH="128")"));
    BitmapFont font;
    font.Load(file, nullptr);
    const BitmapFontGlyph* glyph = font.FindGlyph('A');
    ASSERT_NE(glyph, nullptr);
    EXPECT_FLOAT_EQ(glyph->X, 0.25f);
    EXPECT_FLOAT_EQ(glyph->Width, 0.03125f);
    EXPECT_FLOAT_EQ(glyph->Y, 0.5f);
    EXPECT_FLOAT_EQ(glyph->Height, 0.25f);
    EXPECT_FLOAT_EQ(font.LineHeight, 0.25f);
    EXPECT_FLOAT_EQ(font.PageAspect, 4.0f);
}

TEST(BitmapFontTest, RepeatedCharKeepsTheLaterAndOtherElementsAreSkipped) {
    TempFolder folder;
    const std::string chars =
        R"(<char id="65" x="0" y="0" width="8" height="8" xoffset="0" yoffset="0" xadvance="8"/>)"
        R"(<note id="66" x="0" y="0" width="8" height="8" xoffset="0" yoffset="0" xadvance="8"/>)"
        R"(<char id="65" x="0" y="0" width="8" height="8" xoffset="0" yoffset="0" xadvance="64"/>)";
    // A second page is ignored: the first one is the page.
    std::string xml = FontXml(chars);
    xml.replace(xml.find("</pages>"), 0, R"(<page id="1" file="Other_1.png"/>)");
    BitmapFont font;
    font.Load(folder.Write("Test.fnt", xml), nullptr);
    EXPECT_EQ(font.Glyphs.size(), 1u);
    EXPECT_FLOAT_EQ(font.FindGlyph('A')->XAdvance, 0.25f);
    EXPECT_EQ(font.Page->FilePath.filename(), "Test_0.png");
}

TEST(BitmapFontTest, KerningTakesTheFirstEntryOfAPairAndIsZeroElsewhere) {
    TempFolder folder;
    const std::string kernings = R"(<kernings count="3">)"
                                 R"(<kerning first="65" second="86" amount="-4"/>)"
                                 R"(<comment first="65" second="87" amount="9"/>)"
                                 R"(<kerning first="65" second="86" amount="-8"/>)"
                                 R"(<kerning first="65" second="87" amount="2"/>)"
                                 R"(</kernings>)";
    BitmapFont font;
    font.Load(folder.Write("Kern.fnt", FontXml(kOneGlyph, kernings)), nullptr);
    EXPECT_FLOAT_EQ(font.GetKerning('A', 'V'), -4.0f / 256.0f);
    EXPECT_FLOAT_EQ(font.GetKerning('A', 'W'), 2.0f / 256.0f);
    EXPECT_EQ(font.GetKerning('V', 'A'), 0.0f);
    EXPECT_EQ(font.GetKerning('A', 'A'), 0.0f);

    BitmapFont plain;
    plain.Load(folder.Write("Plain.fnt", FontXml(kOneGlyph)), nullptr);
    EXPECT_TRUE(plain.Kernings.empty());
    EXPECT_EQ(plain.GetKerning('A', 'V'), 0.0f);
}

TEST(BitmapFontTest, BadFilesNameTheFileAndTheProblem) {
    TempFolder folder;
    const auto check = [&](const std::string& name, const std::string& xml, const std::string& problem) {
        const auto file = folder.Write(name, xml);
        const std::string error = ErrorOf(file);
        EXPECT_NE(error.find(file.generic_string()), std::string::npos) << error;
        EXPECT_NE(error.find(problem), std::string::npos) << error;
    };
    check("NoScale.fnt", FontXml(kOneGlyph, "", R"(lineHeight="32" scaleH="256")"), "\"scaleW\"");
    check("ZeroScale.fnt", FontXml(kOneGlyph, "", R"(lineHeight="32" scaleW="0" scaleH="256")"),
          "\"scaleW\" must be greater than 0");
    check("NoLine.fnt", FontXml(kOneGlyph, "", R"(scaleW="256" scaleH="256")"), "\"lineHeight\"");
    check("NoPageFile.fnt",
          R"(<font><common lineHeight="8" scaleW="8" scaleH="8"/><pages><page id="0"/></pages><chars/></font>)",
          "\"font.pages.page\": lacks the attribute \"file\"");
    check("NoChars.fnt",
          R"(<font><common lineHeight="8" scaleW="8" scaleH="8"/><pages><page file="a.png"/></pages></font>)",
          "\"font.chars\"");
    check("NoPage.fnt", R"(<font><common lineHeight="8" scaleW="8" scaleH="8"/><chars/></font>)",
          "\"font.pages.page\"");
    check("Broken.fnt", "<font><common lineHeight=\"8\"", "XML syntax error");
    const std::string missing = ErrorOf(folder.Path() / "Missing.fnt");
    EXPECT_NE(missing.find("Missing.fnt: cannot open"), std::string::npos) << missing;
}

// Glyphs and kerning pairs a font cannot use: an attribute missing or no number, a size
// below 0, a place off the page (x 4000000000 on a 256-pixel page). Each is left out while
// the rest of the font loads, and the file is told once, naming the first of them and
// how many more.
TEST(BitmapFontTest, AGlyphOrKerningThatCannotBeUsedIsLeftOutAndTheFileToldOnce) {
    TempFolder folder;
    const auto glyph = [](const std::string& id, const std::string& x, const std::string& width,
                          const std::string& more = R"(height="8" xoffset="0" yoffset="0" xadvance="8")") {
        return "<char id=\"" + id + "\" x=\"" + x + "\" y=\"0\" width=\"" + width + "\" " + more + "/>";
    };
    const std::pair<std::string, std::string> bad[] = {
        {glyph("65", "4000000000", "13"),
         "char 65 left out: \"x\" is \"4000000000\": the glyph reaches outside the page (\"scaleW\" 256)"},
        {glyph("66", "0", "-5"), "char 66 left out: \"width\" is \"-5\", less than 0"},
        {glyph("67", "250", "8"), "char 67 left out: \"x\" is \"250\": the glyph reaches outside the page"},
        {glyph("68", "ten", "8"), "char 68 left out: \"x\" is not a number: \"ten\""},
        {glyph("69", "0", "8", R"(height="8" xoffset="0" yoffset="0")"),
         "char 69 left out: lacks the attribute \"xadvance\""},
        {glyph("6.5", "0", "8"), "a \"char\" element left out: \"id\" is not an integer: \"6.5\""},
        {glyph("70", "0", "8", R"(height="-1" xoffset="0" yoffset="0" xadvance="8")"),
         "char 70 left out: \"height\" is \"-1\", less than 0"},
    };
    const std::string badKerning = R"(<kerning first="65" amount="1"/>)";
    std::string chars = glyph("90", "248", "8");
    for (const auto& [element, problem] : bad) {
        chars += element;
    }
    ToldWarnings told;
    BitmapFont font;
    const auto file = folder.Write(
        "Mixed.fnt",
        FontXml(chars, "<kernings>" + badKerning + R"(<kerning first="90" second="90" amount="2"/>)" + "</kernings>"));
    font.Load(file, nullptr);
    ASSERT_EQ(font.Glyphs.size(), 1u);
    ASSERT_NE(font.FindGlyph('Z'), nullptr);
    EXPECT_FLOAT_EQ(font.FindGlyph('Z')->X, 248.0f / 256.0f);
    EXPECT_EQ(font.Kernings.size(), 1u);
    EXPECT_FLOAT_EQ(font.GetKerning('Z', 'Z'), 2.0f / 256.0f);
    ASSERT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Lines[0], file.generic_string() + ": " + bad[0].second + " (and 7 more elements left out)");

    // One at a time, each names its problem.
    for (const auto& [element, problem] : bad) {
        told.Lines.clear();
        BitmapFont one;
        one.Load(folder.Write("One.fnt", FontXml(element)), nullptr);
        EXPECT_TRUE(one.Glyphs.empty()) << element;
        EXPECT_EQ(told.Naming("One.fnt: " + problem), 1u) << ::testing::PrintToString(told.Lines);
    }
    told.Lines.clear();
    BitmapFont kerning;
    kerning.Load(folder.Write("Kerning.fnt", FontXml(kOneGlyph, "<kernings>" + badKerning + "</kernings>")), nullptr);
    EXPECT_TRUE(kerning.Kernings.empty());
    EXPECT_EQ(told.Naming("Kerning.fnt: a \"kerning\" element left out: lacks the attribute \"second\""), 1u)
        << ::testing::PrintToString(told.Lines);
}

TEST(BitmapFontTest, ThePageLoadsThroughTheLoaderAfterTheFileParses) {
    TempFolder folder;
    std::vector<std::filesystem::path> loaded;
    const FontPageLoader loader = [&](Texture& page, const std::filesystem::path& path) {
        loaded.push_back(path);
        page.Width = 256.0f;
        return true;
    };
    BitmapFont font;
    font.Load(folder.Write("Good.fnt", FontXml(kOneGlyph)), loader);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0], folder.Path() / "Test_0.png");
    EXPECT_EQ(font.Page->Width, 256.0f);

    BitmapFont broken;
    EXPECT_THROW(
        broken.Load(folder.Write("Bad.fnt", FontXml(kOneGlyph, "", R"(lineHeight="32" scaleH="256")")), loader),
        ContentError);
    EXPECT_EQ(loaded.size(), 1u);
}

class FontRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        mRegistry.ContentFolder = mFolder.Path();
        mSavedRegistry = gFontRegistry;
        mSavedResolver = gResourceResolver;
        gFontRegistry = &mRegistry;
        FontRegistry::InstallNameResolver();
    }
    void TearDown() override {
        gFontRegistry = mSavedRegistry;
        gResourceResolver = mSavedResolver;
    }

    void WriteFont(const std::string& relative, int advance = 8) {
        mFolder.Write(relative, FontXml("<char id=\"65\" x=\"0\" y=\"0\" width=\"8\" height=\"8\" xoffset=\"0\" "
                                        "yoffset=\"0\" xadvance=\"" +
                                        std::to_string(advance) + "\"/>"));
    }

    TempFolder mFolder;
    std::vector<std::filesystem::path> mLoadedPages;
    FontRegistry mRegistry{[this](Texture&, const std::filesystem::path& path) {
        mLoadedPages.push_back(path);
        return false;  // as for an unreadable image: the font still exists
    }};
    FontRegistry* mSavedRegistry = nullptr;
    ResourceResolver mSavedResolver;
};

TEST_F(FontRegistryTest, LoadsEveryFntFileOfTheGroupFolderByStem) {
    WriteFont("Main/Title.FNT");
    WriteFont("Main/Body.fnt");
    mFolder.Write("Main/Body_0.png", "not read here");
    mFolder.Write("Main/Notes.txt", "skipped");
    WriteFont("Main/Sub/Deep.fnt");

    mRegistry.LoadGroup("Main");
    ASSERT_EQ(mRegistry.Groups.count("Main"), 1u);
    const auto& fonts = mRegistry.Groups["Main"]->Fonts;
    ASSERT_EQ(fonts.size(), 2u);
    ASSERT_NE(mRegistry.Find("Title"), nullptr);
    EXPECT_EQ(mRegistry.Find("Title")->Name, "Title");
    EXPECT_EQ(mRegistry.Find("Body")->Name, "Body");
    EXPECT_EQ(mRegistry.Find("Deep"), nullptr);
    EXPECT_EQ(mRegistry.Find("Missing"), nullptr);
    EXPECT_EQ(mLoadedPages.size(), 2u);
    // A page that cannot be read leaves its font without a device texture.
    EXPECT_EQ(mRegistry.Find("Body")->Page->DeviceTexture, nullptr);
}

TEST_F(FontRegistryTest, LoadingAGroupTwiceKeepsTheFirstLoad) {
    WriteFont("Main/Body.fnt", 8);
    mRegistry.LoadGroup("Main");
    BitmapFont* first = mRegistry.Find("Body");
    WriteFont("Main/Body.fnt", 16);
    mRegistry.LoadGroup("Main");
    EXPECT_EQ(mRegistry.Find("Body"), first);
    EXPECT_FLOAT_EQ(first->FindGlyph('A')->XAdvance, 8.0f / 256.0f);
    EXPECT_EQ(mLoadedPages.size(), 1u);
}

TEST_F(FontRegistryTest, FindVisitsGroupsInNameOrderAndUnloadRemovesAGroup) {
    WriteFont("Zeta/Body.fnt", 16);
    WriteFont("Alpha/Body.fnt", 8);
    mRegistry.LoadGroup("Zeta");
    mRegistry.LoadGroup("Alpha");
    EXPECT_FLOAT_EQ(mRegistry.Find("Body")->FindGlyph('A')->XAdvance, 8.0f / 256.0f);

    mRegistry.UnloadGroup("Alpha");
    mRegistry.UnloadGroup("Never");
    EXPECT_EQ(mRegistry.Groups.count("Alpha"), 0u);
    EXPECT_FLOAT_EQ(mRegistry.Find("Body")->FindGlyph('A')->XAdvance, 16.0f / 256.0f);

    std::vector<std::string> pages;
    mRegistry.ForEachTexture([&](Texture& page) { pages.push_back(page.FilePath.parent_path().filename()); });
    EXPECT_EQ(pages, (std::vector<std::string>{"Zeta"}));
}

// A missing group folder is an error naming it; a font file that cannot be read is told
// once, naming it and the problem, and left out, as a font that is not there.
TEST_F(FontRegistryTest, AMissingGroupFolderNamesItAndABadFontIsToldAndLeftOut) {
    try {
        mRegistry.LoadGroup("Nowhere");
        FAIL() << "a missing folder loads nothing silently";
    } catch (const ContentError& e) {
        EXPECT_NE(std::string(e.what()).find("Nowhere"), std::string::npos) << e.what();
    }
    EXPECT_EQ(mRegistry.Groups.count("Nowhere"), 0u);

    WriteFont("Main/Good.fnt");
    const auto bad = mFolder.Write("Main/Bad.fnt", "<font>");
    ToldWarnings told;
    mRegistry.LoadGroup("Main");
    ASSERT_EQ(mRegistry.Groups.count("Main"), 1u);
    EXPECT_NE(mRegistry.Find("Good"), nullptr);
    EXPECT_EQ(mRegistry.Find("Bad"), nullptr);
    ASSERT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming(bad.generic_string() + ": XML syntax error", "; the font \"Bad\" is left out"), 1u)
        << told.Lines[0];
    EXPECT_EQ(mLoadedPages.size(), 1u) << "no page is read for a font left out";
}

TEST_F(FontRegistryTest, TheFontPropertyReadsAndWritesFontsByName) {
    WriteFont("Main/Body.fnt");
    mRegistry.LoadGroup("Main");
    TextCmp text;
    SubProperty font = text.FindProperty("Font")->MakeSubProperty("Font", 0);
    PropertyFromText(font, "Body");
    EXPECT_EQ(text.Font, mRegistry.Find("Body"));
    EXPECT_EQ(PropertyToText(font), "Body");
    // A name that no group holds keeps the value.
    PropertyFromText(font, "Missing");
    EXPECT_EQ(text.Font, mRegistry.Find("Body"));
}

// A drawn text keeps its layout from frame to frame, and every input of the layout
// makes it again: the text, the size, the box, the font, and the font read anew.
TEST(TextCmpTest, TheLayoutIsMadeAgainOnlyWhenWhatItShowsChanges) {
    TempFolder folder;
    const auto glyphAdvancing = [](int advance) {
        return R"(<char id="65" x="0" y="0" width="16" height="32" xoffset="0" yoffset="0" xadvance=")" +
               std::to_string(advance) + R"(" page="0"/>)";
    };
    const auto file = folder.Write("Test.fnt", FontXml(glyphAdvancing(16)));
    BitmapFont font;
    font.Load(file, nullptr);
    TextCmp text;
    text.Font = &font;
    text.Text = "A";
    const float one = text.Layout().MaxWidth();
    ASSERT_GT(one, 0.0f);
    const TextLine* kept = text.Layout().Lines().data();
    EXPECT_EQ(text.Layout().Lines().data(), kept) << "an unchanged text is laid out once";

    text.Text = "AA";
    EXPECT_FLOAT_EQ(text.Layout().MaxWidth(), 2.0f * one);
    text.FontSize = 2.0f;
    EXPECT_FLOAT_EQ(text.Layout().MaxWidth(), 4.0f * one);
    text.BoxSize = Vector2(3.0f * one, 0.0f);
    EXPECT_EQ(text.Layout().Lines().size(), 2u);
    text.BoxSize = Vector2();
    EXPECT_EQ(text.Layout().Lines().size(), 1u);

    folder.Write("Test.fnt", FontXml(glyphAdvancing(32)));
    font.Load(file, nullptr);
    EXPECT_FLOAT_EQ(text.Layout().MaxWidth(), 8.0f * one);

    BitmapFont narrow;
    narrow.Load(folder.Write("Narrow.fnt", FontXml(glyphAdvancing(8))), nullptr);
    EXPECT_NE(narrow.Revision(), font.Revision());
    text.Font = &narrow;
    EXPECT_FLOAT_EQ(text.Layout().MaxWidth(), 2.0f * one);
}

}  // namespace
