// Pictures dropped into texture source folders, packed as the content build packs them
// and read back the way the game reads atlases and sheets.
#include "ContentTestSupport.h"
#include "object/TempFolder.h"
#include "tools/ContentBuild.h"
#include "tools/art/SourceExampleArt.h"
#include "tools/atlas/SourceTextures.h"
#include "tools/io/ContentWriter.h"
#include "tools/io/PngEncoder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace qv::tools::test {
namespace {

namespace fs = std::filesystem;

class SourceTextureTest : public ::testing::Test {
protected:
    // An opaque picture of one colour at Textures/<relative>.
    void Picture(const std::string& relative, int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        Image8 image(width, height);
        for (std::size_t i = 0; i < image.Pixels.size(); i += 4) {
            image.Pixels[i] = r, image.Pixels[i + 1] = g, image.Pixels[i + 2] = b, image.Pixels[i + 3] = 255;
        }
        const Bytes png = EncodePng(image);
        Source.Write("Textures/" + relative, std::string(png.begin(), png.end()));
    }

    void PackIntoContent() {
        ContentWriter writer(Content.Path());
        for (const PackedSourceTexture& texture : PackTextureSources(Source.Path())) {
            for (const OutputFile& file : texture.Files)
                writer.Write(file);
        }
    }

    std::string PackError() {
        try {
            PackTextureSources(Source.Path());
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "no error";
    }

    fs::path Bank() const { return Content.Path() / "Textures" / "Main"; }

    TempFolder Source;
    TempFolder Content;
};

TEST_F(SourceTextureTest, EachFolderBecomesATextureWithAFramePerPicture) {
    Picture("Main/Tst_Box/Box.png", 12, 8, 200, 40, 40);
    Picture("Main/Tst_Box/Box_NRM.png", 12, 8, 10, 20, 250);
    Picture("Main/Tst_Box/Dot.png", 5, 3, 40, 200, 40);
    Picture("Main/Tst_Box/Dot (src).png", 64, 64, 0, 0, 0);
    Source.Write("Textures/Main/Tst_Box/notes.txt", "not a frame");
    Picture("Main/Tst_Flat/Flat.png", 4, 4, 255, 255, 255);
    fs::create_directories(Source.Path() / "Textures" / "Main" / "Tst_Empty");
    PackIntoContent();

    // A normal layer makes the texture lit: colour, normal and specular pages share one layout.
    const Atlas box = ReadAtlas(Bank() / "Tst_Box_COL.xml");
    ASSERT_EQ(box.Sprites.size(), 2u) << "the (src) picture and the note are no frames";
    const AtlasSprite* boxFrame = box.Find("Box");
    const AtlasSprite* dotFrame = box.Find("Dot");
    ASSERT_TRUE(boxFrame != nullptr && dotFrame != nullptr);
    EXPECT_EQ(std::make_pair(boxFrame->OW, boxFrame->OH), std::make_pair(12, 8));
    EXPECT_EQ(std::make_pair(dotFrame->OW, dotFrame->OH), std::make_pair(5, 3));
    const Image8 colour = LoadPicture(box.SheetPath);
    const Image8 normal = LoadPicture(Bank() / "Tst_Box_NRM.sheet");
    const Image8 specular = LoadPicture(Bank() / "Tst_Box_SPEC.sheet");
    ASSERT_EQ(std::make_pair(normal.Width, normal.Height), std::make_pair(colour.Width, colour.Height));
    ASSERT_EQ(std::make_pair(specular.Width, specular.Height), std::make_pair(colour.Width, colour.Height));
    EXPECT_EQ(colour.At(boxFrame->X + 1, boxFrame->Y + 1)[0], 200);
    EXPECT_EQ(normal.At(boxFrame->X + 1, boxFrame->Y + 1)[2], 250);
    // The frame painted without layers is flat and dull.
    const std::uint8_t* flat = normal.At(dotFrame->X + 1, dotFrame->Y + 1);
    EXPECT_EQ(std::vector<int>(flat, flat + 3), std::vector<int>({128, 128, 255}));
    EXPECT_EQ(specular.At(dotFrame->X + 1, dotFrame->Y + 1)[0], 0);

    // Without layers the texture is unlit; a folder without pictures gives nothing.
    EXPECT_NE(ReadAtlas(Bank() / "Tst_Flat.xml").Find("Flat"), nullptr);
    EXPECT_TRUE(fs::exists(Bank() / "Tst_Flat.sheet"));
    EXPECT_FALSE(fs::exists(Bank() / "Tst_Flat_NRM.sheet"));
    EXPECT_FALSE(fs::exists(Bank() / "Tst_Empty.xml"));
}

TEST_F(SourceTextureTest, AFaultyPictureIsNamedByItsFile) {
    Picture("Main/Tst_Box/Box.png", 12, 8, 200, 40, 40);
    Picture("Main/Tst_Box/Lid_NRM.png", 12, 8, 10, 20, 250);
    EXPECT_NE(PackError().find("Lid_NRM.png: no Lid.png beside it"), std::string::npos) << PackError();

    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Lid_NRM.png");
    Picture("Main/Tst_Box/Box_SPEC.png", 6, 8, 0, 0, 0);
    EXPECT_NE(PackError().find("Box_SPEC.png: 6x8 pixels, but its frame is 12x8"), std::string::npos) << PackError();

    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Box_SPEC.png");
    Source.Write("Textures/Main/Tst_Box/Broken.png", "not a picture");
    EXPECT_NE(PackError().find("Broken.png: not a PNG image"), std::string::npos) << PackError();
}

TEST_F(SourceTextureTest, TheExampleIsPaintedWhereItsPicturesAreMissingAndPacksLit) {
    EXPECT_EQ(WriteMissingExamplePictures(Source.Path()), 0) << "no example folder, nothing painted";
    fs::create_directories(Source.Path() / ExampleSourceFolder());
    EXPECT_EQ(WriteMissingExamplePictures(Source.Path()), 4);
    // A picture a designer changed is kept.
    Picture("Main/DevCrate/CrateLid.png", 30, 10, 1, 2, 3);
    fs::remove(Source.Path() / ExampleSourceFolder() / "Crate_0000_SPEC.png");
    EXPECT_EQ(WriteMissingExamplePictures(Source.Path()), 1);
    PackIntoContent();

    const Atlas crate = ReadAtlas(Bank() / "DevCrate_COL.xml");
    ASSERT_EQ(crate.Sprites.size(), 2u);
    ASSERT_NE(crate.Find("Crate_0000"), nullptr);
    EXPECT_EQ(crate.Find("Crate_0000")->OW, 32);
    ASSERT_NE(crate.Find("CrateLid"), nullptr);
    EXPECT_EQ(crate.Find("CrateLid")->OW, 30);
    EXPECT_TRUE(fs::exists(Bank() / "DevCrate_NRM.sheet"));
}

TEST_F(SourceTextureTest, TheBuildPacksTheConfiguredFolderBesideTheGeneratedArt) {
    // The game runs in the content root's parent, so a relative path starts there.
    Content.Write("Content/Config/GameConfig.json", R"({ "DevelopmentContentPath": "../Dev" })");
    const fs::path contentRoot = Content.Path() / "Content";
    const fs::path sourceRoot = DevelopmentContentFolder(contentRoot);
    EXPECT_EQ(sourceRoot, Content.Path() / "../Dev");
    EXPECT_EQ(DevelopmentContentFolder(Source.Path()), fs::path()) << "no configuration, no source folder";

    const auto build = [&](const fs::path& source) {
        const std::vector<OutputFile> generated = {{"Textures/Main/Sprites_COL.xml", BytesFromText("<generated/>")}};
        return WriteContent(Source.Path() / "Built", generated, source);
    };
    Picture("Main/Tst_Box/Box.png", 12, 8, 200, 40, 40);
    Picture("Main/Tst_Box/Box_NRM.png", 12, 8, 10, 20, 250);
    fs::create_directories(Source.Path() / ExampleSourceFolder());
    ContentBuildSummary summary = build(Source.Path());
    EXPECT_EQ(summary.ExamplePictures, 4);
    EXPECT_EQ(summary.SourceTextures, 2) << "the example and the box";
    const fs::path bank = Source.Path() / "Built" / "Textures" / "Main";
    EXPECT_TRUE(fs::exists(bank / "Sprites_COL.xml"));
    EXPECT_TRUE(fs::exists(bank / "DevCrate_COL.xml"));
    EXPECT_TRUE(fs::exists(bank / "Tst_Box_NRM.sheet"));

    // Without its layer the box turns unlit, and its lit files go rather than shadow it.
    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Box_NRM.png");
    summary = build(Source.Path());
    EXPECT_EQ(summary.ExamplePictures, 0);
    EXPECT_TRUE(fs::exists(bank / "Tst_Box.xml"));
    EXPECT_FALSE(fs::exists(bank / "Tst_Box_COL.xml"));
    EXPECT_FALSE(fs::exists(bank / "Tst_Box_NRM.sheet"));

    // A folder named like generated art would overwrite it: refused, naming the folder.
    Picture("Main/Sprites/Box.png", 12, 8, 200, 40, 40);
    Picture("Main/Sprites/Box_NRM.png", 12, 8, 10, 20, 250);
    try {
        build(Source.Path());
        ADD_FAILURE() << "generated art overwritten";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Sprites: would overwrite the generated Textures/Main/Sprites_COL.xml"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(TempFolder::Read(bank / "Sprites_COL.xml"), "<generated/>");
}

}  // namespace
}  // namespace qv::tools::test
