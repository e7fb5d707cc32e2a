#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "TextureTestSupport.h"
#include "ToldWarnings.h"
#include "app/RuntimeTypes.h"
#include "assets/Texture.h"
#include "assets/TextureCatalogCache.h"
#include "assets/TextureManager.h"
#include "object/ContentError.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "render/DebugLines.h"
#include "render/SpriteCmp.h"

namespace {

void ExpectRect(const Rect& actual, float x, float y, float width, float height) {
    EXPECT_FLOAT_EQ(actual.X, x);
    EXPECT_FLOAT_EQ(actual.Y, y);
    EXPECT_FLOAT_EQ(actual.Width, width);
    EXPECT_FLOAT_EQ(actual.Height, height);
}

bool IsFinite(const Rect& r) {
    return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) && std::isfinite(r.Height);
}

// The message of the ContentError that f raises, or "" when it raises none.
template <class F>
std::string ContentErrorOf(F f) {
    try {
        f();
    } catch (const ContentError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

// Frame maths --------------------------------------------------------------------------

TEST(TextureFrameTest, FrameRectIsAFractionOfTheImage) {
    Texture texture;
    texture.Width = 256.0f;
    texture.Height = 128.0f;
    texture.AddFrame("Door", AtlasFrame{64, 32, 32, 64, 0, 0, 32, 64});
    ASSERT_EQ(texture.GetFrameCount(), 1);
    ExpectRect(texture.FrameRects[0], 0.25f, 0.25f, 0.125f, 0.5f);
    ExpectRect(texture.FrameTrims[0], 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(texture.GetFrameIndex("Door"), 0);
    EXPECT_EQ(texture.GetFrameIndex("Window"), -1);
}

TEST(TextureFrameTest, TrimIsAFractionOfTheUntrimmedFrame) {
    Texture texture;
    texture.Width = 256.0f;
    texture.Height = 128.0f;
    texture.AddFrame("Ant", AtlasFrame{0, 0, 32, 64, 4, 8, 64, 80});
    ExpectRect(texture.FrameTrims[0], 0.0625f, 0.1f, 0.5f, 0.8f);
}

TEST(TextureFrameTest, AnImageThatFailedToLoadGivesFiniteFrames) {
    Texture texture;  // size 0: no image was loaded
    texture.AddFrame("Door", AtlasFrame{64, 32, 32, 64, 0, 0, 32, 64});
    texture.AddFrame("Empty", AtlasFrame{0, 0, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < texture.GetFrameCount(); ++i) {
        EXPECT_TRUE(IsFinite(texture.FrameRects[i])) << texture.FrameNames[i];
        EXPECT_TRUE(IsFinite(texture.FrameTrims[i])) << texture.FrameNames[i];
    }
    ExpectRect(texture.FrameRects[0], 0.0f, 0.0f, 0.0f, 0.0f);
    ExpectRect(texture.FrameTrims[1], 0.0f, 0.0f, 1.0f, 1.0f);
}

TEST(TextureFrameTest, ARepeatedNameFindsTheLaterFrame) {
    Texture texture;
    texture.Width = texture.Height = 64.0f;
    texture.AddFrame("Twin", AtlasFrame{0, 0, 8, 8, 0, 0, 8, 8});
    texture.AddFrame("Other", AtlasFrame{8, 0, 8, 8, 0, 0, 8, 8});
    texture.AddFrame("Twin", AtlasFrame{16, 0, 8, 8, 0, 0, 8, 8});
    EXPECT_EQ(texture.GetFrameCount(), 3);
    EXPECT_EQ(texture.GetFrameIndex("Twin"), 2);
    EXPECT_EQ(texture.FrameNames[0], "Twin");
}

// Atlases ------------------------------------------------------------------------------

class TextureAtlasTest : public ::testing::Test, public TextureBankFixture {};

TEST_F(TextureAtlasTest, ReadsFramesInFileOrderAndLoadsTheNamedImageAsSheet) {
    WriteSheet("Main/Hero_COL.sheet", 256, 128);
    const auto atlas =
        WriteFile("Main/Hero_COL.xml", Atlas("Hero_COL.png",
                                             "<sprite n=\"Run_01_COL\" x=\"64\" y=\"32\" w=\"32\" h=\"64\"/>\n"
                                             "<note n=\"skipped\"/>\n"
                                             "<sprite n=\"A_COL_B_NRM\" x=\"0\" y=\"0\" w=\"16\" h=\"16\" oX=\"4\" "
                                             "oY=\"2\" oW=\"32\" oH=\"20\"/>\n"));
    Texture texture;
    Manager.ReadSheet(&texture, atlas);

    ASSERT_EQ(Images.Loaded.size(), 1u);
    EXPECT_EQ(Images.Loaded[0].filename(), "Hero_COL.sheet");
    EXPECT_EQ(texture.FilePath, Folder.Path() / "Main" / "Hero_COL.sheet");
    EXPECT_EQ(texture.AtlasPath, atlas);
    ASSERT_EQ(texture.GetFrameCount(), 2);
    // The last "_COL", "_NRM" or "_SPEC" leaves the name.
    EXPECT_EQ(texture.GetFrameIndex("Run_01"), 0);
    EXPECT_EQ(texture.GetFrameIndex("A_COL_B"), 1);
    ExpectRect(texture.FrameRects[0], 0.25f, 0.25f, 0.125f, 0.5f);
    // Without oX/oY/oW/oH the stored pixels are the whole frame.
    ExpectRect(texture.FrameTrims[0], 0.0f, 0.0f, 1.0f, 1.0f);
    ExpectRect(texture.FrameTrims[1], 0.125f, 0.1f, 0.5f, 0.8f);
}

TEST_F(TextureAtlasTest, AnOptionalAttributeThatIsNoIntegerTakesItsDefault) {
    WriteSheet("Main/Fx.sheet", 100, 100);
    const auto atlas = WriteFile(
        "Main/Fx.xml", Atlas("Fx.png", "<sprite n=\"Spark\" x=\"0\" y=\"0\" w=\"10\" h=\"20\" oW=\"wide\"/>"));
    Texture texture;
    Manager.ReadSheet(&texture, atlas);
    ExpectRect(texture.FrameTrims[0], 0.0f, 0.0f, 1.0f, 1.0f);
}

TEST_F(TextureAtlasTest, MalformedAtlasesRaiseErrorsNamingTheFileAndProblem) {
    struct Case {
        const char* Text;
        const char* Problem;
    };
    const Case cases[] = {
        {"<TextureAtlas imagePath=\"Fx.png\"><sprite n=\"A\" x=\"0\"", "XML syntax error on line 1"},
        {"<Atlas imagePath=\"Fx.png\"/>", "no <TextureAtlas> root element"},
        {"<TextureAtlas><sprite n=\"A\" x=\"0\" y=\"0\" w=\"1\" h=\"1\"/></TextureAtlas>", "\"imagePath\""},
    };
    for (const Case& c : cases) {
        const auto atlas = WriteFile("Main/Fx.xml", c.Text);
        Texture texture;
        const std::string message = ContentErrorOf([&] { Manager.ReadSheet(&texture, atlas); });
        EXPECT_NE(message.find(atlas.generic_string()), std::string::npos) << c.Text << " -> " << message;
        EXPECT_NE(message.find(c.Problem), std::string::npos) << c.Text << " -> " << message;
        EXPECT_EQ(texture.GetFrameCount(), 0) << "nothing changes before the atlas is read whole";
    }
    EXPECT_TRUE(Images.Loaded.empty());
}

// Sprites an atlas cannot use: without a name or a size, with a value that is no integer,
// a place before the image, a size below one pixel (a trimmed frame's too), or reaching
// past the image. Each is left out while the others load, and the atlas is told once,
// naming the first of them and how many more.
TEST_F(TextureAtlasTest, ASpriteThatCannotBeUsedIsLeftOutAndTheAtlasToldOnce) {
    const std::pair<std::string, std::string> bad[] = {
        {R"(<sprite n="Narrow" x="0" y="0" w="-7" h="8"/>)",
         "sprite \"Narrow\" left out: \"w\" is \"-7\", less than 1"},
        {R"(<sprite x="0" y="0" w="8" h="8"/>)", "a <sprite> left out: lacks the attribute \"n\""},
        {R"(<sprite n="Flat" x="0" y="0" w="8"/>)", "sprite \"Flat\" left out: lacks the attribute \"h\""},
        {R"(<sprite n="Half" x="1.5" y="0" w="8" h="8"/>)",
         "sprite \"Half\" left out: \"x\" is \"1.5\", not an integer"},
        {R"(<sprite n="Before" x="0" y="-1" w="8" h="8"/>)",
         "sprite \"Before\" left out: \"y\" is \"-1\", less than 0"},
        {R"(<sprite n="Empty" x="0" y="0" w="0" h="8"/>)", "sprite \"Empty\" left out: \"w\" is \"0\", less than 1"},
        {R"(<sprite n="Trim" x="0" y="0" w="8" h="8" oH="-2"/>)",
         "sprite \"Trim\" left out: \"oH\" is \"-2\", less than 1"},
        {R"(<sprite n="Past" x="57" y="0" w="8" h="8"/>)",
         "sprite \"Past\" left out: it reaches outside the image of 64 x 32 pixels"},
    };
    WriteSheet("Main/Fx.sheet", 64, 32);
    std::string sprites = R"(<sprite n="Good" x="56" y="24" w="8" h="8"/>)";
    for (const auto& [sprite, problem] : bad) {
        sprites += sprite;
    }
    const auto atlas = WriteFile("Main/Fx.xml", Atlas("Fx.png", sprites));
    ToldWarnings told;
    Texture texture;
    Manager.ReadSheet(&texture, atlas);

    ASSERT_EQ(texture.GetFrameCount(), 1);
    EXPECT_EQ(texture.GetFrameIndex("Good"), 0);
    ExpectRect(texture.FrameRects[0], 0.875f, 0.75f, 0.125f, 0.25f);
    ASSERT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Lines[0], atlas.generic_string() + ": " + bad[0].second + " (and 7 more elements left out)");

    // One at a time, each names its problem.
    for (const auto& [sprite, problem] : bad) {
        WriteFile("Main/Fx.xml", Atlas("Fx.png", sprite));
        Texture one;
        told.Lines.clear();
        Manager.ReadSheet(&one, atlas);
        EXPECT_EQ(one.GetFrameCount(), 0) << sprite;
        EXPECT_EQ(told.Naming(atlas.generic_string() + ": " + problem), 1u) << ::testing::PrintToString(told.Lines);
    }
}

// Banks ----------------------------------------------------------------------------------

class TextureBankTest : public ::testing::Test, public TextureBankFixture {};

TEST_F(TextureBankTest, CompanionsGiveOneTextureNamedWithoutColSuffix) {
    WriteSheet("Main/Hero_COL.sheet", 64, 64);
    WriteSheet("Main/Hero_NRM.sheet", 64, 64);
    WriteSheet("Main/Hero_SPEC.sheet", 64, 64);
    WriteFile("Main/Hero_COL.xml", Atlas("Hero_COL.png", "<sprite n=\"Idle_COL\" x=\"0\" y=\"0\" w=\"8\" h=\"8\"/>"));
    Manager.LoadBank("Main");

    const TextureBank& bank = *Manager.Banks.at("Main");
    ASSERT_EQ(bank.Textures.size(), 1u);
    const Texture* hero = Manager.GetTexture("Hero");
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->Name, "Hero");
    EXPECT_EQ(hero->GetFrameIndex("Idle"), 0);
    EXPECT_EQ(Images.Loaded.size(), 1u) << "companions are read by the renderer beside the colour image";
    EXPECT_EQ(Manager.GetTexture("Hero_NRM"), nullptr);
}

TEST_F(TextureBankTest, SheetsOfAnyCaseLoadAndEverythingElseIsIgnored) {
    WriteSheet("Main/Logo.SHEET", 32, 32);
    WriteFile("Main/Readme.txt", "not a texture");
    WriteSheet("Main/Nested/Inner.sheet", 8, 8);
    std::filesystem::create_directories(Folder.Path() / "Main" / "Folder.sheet");
    Manager.LoadBank("Main");

    const TextureBank& bank = *Manager.Banks.at("Main");
    ASSERT_EQ(bank.Textures.size(), 1u);
    const Texture* logo = Manager.GetTexture("Logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->GetFrameCount(), 0);
    EXPECT_EQ(logo->GetFrameIndex("Logo"), -1);
    EXPECT_TRUE(logo->AtlasPath.empty());
    EXPECT_FLOAT_EQ(logo->Width, 32.0f);
}

TEST_F(TextureBankTest, SameNameFromTwoFilesResolvesInSortedOrder) {
    // Hero.sheet sorts before Hero_COL.sheet, so the colour image wins whatever order the
    // file system lists them in.
    WriteSheet("Main/Hero_COL.sheet", 16, 16);
    WriteSheet("Main/Hero.sheet", 8, 8);
    Manager.LoadBank("Main");
    const Texture* hero = Manager.GetTexture("Hero");
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->FilePath.filename(), "Hero_COL.sheet");
    EXPECT_EQ(Manager.Banks.at("Main")->Textures.size(), 1u);
}

TEST_F(TextureBankTest, OnlyAColSuffixIsDroppedFromTheName) {
    WriteSheet("Main/Hero_COL_Big.sheet", 16, 16);
    Manager.LoadBank("Main");
    EXPECT_NE(Manager.GetTexture("Hero_COL_Big"), nullptr);
}

TEST_F(TextureBankTest, ABankLoadsOnce) {
    WriteSheet("Main/Ui.sheet", 16, 16);
    Manager.LoadBank("Main");
    const Texture* first = Manager.GetTexture("Ui");
    WriteSheet("Main/Extra.sheet", 16, 16);
    Manager.LoadBank("Main");
    EXPECT_EQ(Manager.GetTexture("Ui"), first);
    EXPECT_EQ(Manager.GetTexture("Extra"), nullptr);
    EXPECT_EQ(Images.Loaded.size(), 1u);
}

TEST_F(TextureBankTest, LookupVisitsBanksInNameOrder) {
    WriteSheet("Zeta/Ui.sheet", 16, 16);
    WriteSheet("Zeta/OnlyZeta.sheet", 16, 16);
    WriteSheet("Alpha/Ui.sheet", 32, 32);
    Manager.LoadBank("Zeta");
    Manager.LoadBank("Alpha");

    const Texture* ui = Manager.GetTexture("Ui");
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui, Manager.Banks.at("Alpha")->Find("Ui"));
    EXPECT_EQ(Manager.GetTexture("OnlyZeta"), Manager.Banks.at("Zeta")->Find("OnlyZeta"));
    EXPECT_EQ(Manager.GetTexture("Nowhere"), nullptr);

    Manager.UnloadBank("Alpha");
    EXPECT_EQ(Manager.GetTexture("Ui"), Manager.Banks.at("Zeta")->Find("Ui"));
    Manager.UnloadBank("Alpha");  // not loaded: nothing happens
    EXPECT_FALSE(Manager.IsBankLoaded("Alpha"));
    EXPECT_TRUE(Manager.IsBankLoaded("Zeta"));
}

TEST_F(TextureBankTest, AMissingBankFolderIsAContentError) {
    const std::string message = ContentErrorOf([&] { Manager.LoadBank("Missing"); });
    EXPECT_NE(message.find((Folder.Path() / "Missing").generic_string()), std::string::npos) << message;
    EXPECT_FALSE(Manager.IsBankLoaded("Missing"));
}

TEST_F(TextureBankTest, AnUnreadableImageStaysInItsBankWithoutSize) {
    WriteFile("Main/Broken.sheet", "not an image");
    WriteFile("Main/Broken.xml", Atlas("Broken.png", "<sprite n=\"Door\" x=\"4\" y=\"4\" w=\"8\" h=\"8\"/>"));
    Manager.LoadBank("Main");
    const Texture* broken = Manager.GetTexture("Broken");
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->DeviceTexture, nullptr);
    ASSERT_EQ(broken->GetFrameCount(), 1);
    EXPECT_TRUE(IsFinite(broken->FrameRects[0]));
}

// Reloading --------------------------------------------------------------------------------

class TextureReloadTest : public ::testing::Test, public TextureBankFixture {
protected:
    TextureReloadTest() {
        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
        WriteSheet("Main/Props_COL.sheet", 64, 64);
        WriteAtlas(
            "<sprite n=\"Door\" x=\"0\" y=\"0\" w=\"16\" h=\"16\"/>"
            "<sprite n=\"Gone\" x=\"16\" y=\"0\" w=\"16\" h=\"16\"/>");
        Manager.LoadBank("Main");
        Props = Manager.GetTexture("Props");
    }

    void WriteAtlas(const std::string& sprites) { WriteFile("Main/Props_COL.xml", Atlas("Props_COL.png", sprites)); }

    SpriteCmp* AddSprite(GameObject& parent, const std::string& frame) {
        auto* object = new GameObject();
        auto* sprite = new SpriteCmp();
        object->AddComponent(sprite);
        parent.AddChild(object);
        sprite->SetTexture(Props);
        sprite->SetImage(frame);
        return sprite;
    }

    Texture* Props = nullptr;
};

TEST_F(TextureReloadTest, SpritesKeepTheirFramesByName) {
    ASSERT_NE(Props, nullptr);
    ASSERT_EQ(Props->NormalSpecularTexture, nullptr) << "the remembered atlas path, not the normal map, decides";
    GameObject root;
    SpriteCmp* door = AddSprite(root, "Door");
    SpriteCmp* gone = AddSprite(*root.Children[0], "Gone");
    SpriteCmp* whole = AddSprite(root, "NoSuchFrame");
    ASSERT_EQ(door->FrameIndex, 0);
    ASSERT_EQ(gone->FrameIndex, 1);

    // The new atlas puts Door second and drops Gone.
    WriteAtlas(
        "<sprite n=\"Window\" x=\"0\" y=\"32\" w=\"32\" h=\"32\"/>"
        "<sprite n=\"Door\" x=\"32\" y=\"0\" w=\"32\" h=\"16\"/>");
    const size_t loadsBefore = Images.Loaded.size();
    Manager.ReloadSheet(Props, &root);

    EXPECT_EQ(Images.Loaded.size(), loadsBefore + 1);
    EXPECT_EQ(door->FrameIndex, 1);
    EXPECT_EQ(door->GetImageName(), "Door");
    ExpectRect(door->UvRect, 0.5f, 0.0f, 0.5f, 0.25f);
    EXPECT_EQ(gone->FrameIndex, -1);
    ExpectRect(gone->UvRect, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(whole->FrameIndex, -1);
    EXPECT_EQ(whole->GetImageName(), "");
}

TEST_F(TextureReloadTest, ATextureWithoutAtlasIsLeftAlone) {
    WriteSheet("Main/Plain.sheet", 32, 32);
    Manager.UnloadBank("Main");
    Manager.LoadBank("Main");
    Texture* plain = Manager.GetTexture("Plain");
    ASSERT_NE(plain, nullptr);
    const size_t loadsBefore = Images.Loaded.size();
    Manager.ReloadSheet(plain, nullptr);
    EXPECT_EQ(Images.Loaded.size(), loadsBefore);
    EXPECT_FLOAT_EQ(plain->Width, 32.0f);
}

TEST_F(TextureReloadTest, AMalformedAtlasChangesNothing) {
    GameObject root;
    SpriteCmp* door = AddSprite(root, "Door");
    WriteFile("Main/Props_COL.xml", "<TextureAtlas imagePath=\"Props_COL.png\"><sprite n=");
    EXPECT_THROW(Manager.ReloadSheet(Props, &root), ContentError);
    EXPECT_EQ(Props->GetFrameCount(), 2);
    EXPECT_EQ(door->FrameIndex, 0);
    EXPECT_EQ(door->GetImageName(), "Door");
}

// Lookups kept between frames -----------------------------------------------------------

TEST(TextureCatalogCacheTest, AValueIsFoundAgainOnlyWhenTheNameTheManagerOrTheTexturesChange) {
    TextureBankFixture content;
    content.WriteSheet("Main/Sky.sheet", 4, 4);
    content.WriteSheet("Main/Sea.sheet", 4, 4);
    int finds = 0;
    const auto find = [&finds](const TextureManager* manager, std::string_view name) -> const Texture* {
        ++finds;
        return manager != nullptr ? manager->GetTexture(std::string(name)) : nullptr;
    };
    TextureCatalogCache<const Texture*> cache;

    // Not found is kept too, until a bank arrives.
    EXPECT_EQ(cache.Get(&content.Manager, "Sky", find), nullptr);
    EXPECT_EQ(cache.Get(&content.Manager, "Sky", find), nullptr);
    EXPECT_EQ(finds, 1);
    content.Manager.LoadBank("Main");
    const Texture* sky = content.Manager.GetTexture("Sky");
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(cache.Get(&content.Manager, "Sky", find), sky);
    EXPECT_EQ(cache.Get(&content.Manager, "Sky", find), sky);
    EXPECT_EQ(finds, 2);

    EXPECT_EQ(cache.Get(&content.Manager, "Sea", find), content.Manager.GetTexture("Sea"));
    EXPECT_EQ(cache.Get(nullptr, "Sea", find), nullptr);
    EXPECT_EQ(finds, 4);

    // An unloaded bank's textures are never handed out again.
    EXPECT_NE(cache.Get(&content.Manager, "Sky", find), nullptr);
    content.Manager.UnloadBank("Main");
    EXPECT_EQ(cache.Get(&content.Manager, "Sky", find), nullptr);
    EXPECT_EQ(finds, 6);
}

TEST(TextureCatalogCacheTest, FramesReadAgainMoveTheCatalogueOn) {
    TextureBankFixture content;
    content.WriteSheet("Main/Editor.sheet", 100, 100);
    content.WriteFile(
        "Main/Editor.xml",
        TextureBankFixture::Atlas("Editor.png", "<sprite n=\"1PixelWhite\" x=\"0\" y=\"0\" w=\"2\" h=\"2\"/>"));
    content.Manager.LoadBank("Main");
    Texture* editor = content.Manager.GetTexture("Editor");
    ASSERT_NE(editor, nullptr);
    const uint64_t loaded = TextureCatalogRevision();
    content.WriteFile(
        "Main/Editor.xml",
        TextureBankFixture::Atlas("Editor.png", "<sprite n=\"1PixelWhite\" x=\"50\" y=\"0\" w=\"2\" h=\"2\"/>"));
    content.Manager.ReloadSheet(editor, nullptr);
    EXPECT_NE(TextureCatalogRevision(), loaded);
    EXPECT_FLOAT_EQ(DebugLines::FindWhiteTexel(&content.Manager).X, 0.51f);
}
