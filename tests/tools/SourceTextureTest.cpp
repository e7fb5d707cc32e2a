// Pictures dropped into texture source folders, packed by the content build and read
// back the way the game reads atlases and sheets.
#include "ContentTestSupport.h"
#include "object/TempFolder.h"
#include "tools/ContentBuild.h"
#include "tools/art/SourceExampleArt.h"
#include "tools/atlas/SourceTextures.h"
#include "tools/io/PngEncoder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace qv::tools::test {
namespace {

namespace fs = std::filesystem;

class SourceTextureTest : public ::testing::Test {
protected:
    // An opaque picture of one grey level at Textures/Main/<relative>.
    void Picture(const std::string& relative, int width, int height, std::uint8_t grey = 200) {
        Image8 image(width, height);
        std::fill(image.Pixels.begin(), image.Pixels.end(), grey);
        const Bytes png = EncodePng(image);
        Source.Write("Textures/Main/" + relative, std::string(png.begin(), png.end()));
    }

    // The build with one stand-in for the generated art.
    ContentBuildSummary Build() {
        std::vector<OutputFile> generated = {{"Textures/Main/Sprites_COL.xml", BytesFromText("<generated/>")}};
        return WriteContent(Built.Path(), std::move(generated), Source.Path());
    }

    std::string BuildError() {
        try {
            Build();
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "no error";
    }

    fs::path Bank() const { return Built.Path() / "Textures" / "Main"; }

    TempFolder Source;
    TempFolder Built;
};

TEST_F(SourceTextureTest, TheBuildPaintsTheExampleAndPacksEveryFolderBesideTheGeneratedArt) {
    // The game runs in the content root's parent, so a relative path starts there.
    Built.Write("Content/Config/GameConfig.json", R"({ "DevelopmentContentPath": "../Dev" })");
    EXPECT_EQ(DevelopmentContentFolder(Built.Path() / "Content"), Built.Path() / "../Dev");
    EXPECT_EQ(DevelopmentContentFolder(Source.Path()), fs::path()) << "no configuration, no source folder";

    fs::create_directories(Source.Path() / ExampleSourceFolder());
    Picture("Tst_Box/Box.png", 12, 8);
    Picture("Tst_Box/Box (src).png", 64, 64);
    Source.Write("Textures/Main/Tst_Box/notes.txt", "not a frame");
    const ContentBuildSummary summary = Build();
    EXPECT_EQ(summary.ExamplePictures, 4);
    EXPECT_EQ(summary.SourceTextures, 2);
    EXPECT_EQ(Build().ExamplePictures, 0) << "painted only where missing";

    // The example is lit: its lid, painted without layers, is flat and dull there.
    const Atlas crate = ReadAtlas(Bank() / "DevCrate_COL.xml");
    ASSERT_EQ(crate.Sprites.size(), 2u);
    const AtlasSprite* body = crate.Find("Crate_0000");
    const AtlasSprite* lid = crate.Find("CrateLid");
    ASSERT_TRUE(body != nullptr && lid != nullptr);
    EXPECT_EQ(std::make_pair(body->OW, body->OH), std::make_pair(32, 32));
    EXPECT_EQ(std::make_pair(lid->OW, lid->OH), std::make_pair(24, 12));
    const Image8 colour = LoadPicture(crate.SheetPath);
    const Image8 normal = LoadPicture(Bank() / "DevCrate_NRM.sheet");
    ASSERT_EQ(std::make_pair(normal.Width, normal.Height), std::make_pair(colour.Width, colour.Height));
    const std::uint8_t* flat = normal.At(lid->X + lid->W / 2, lid->Y + lid->H / 2);
    EXPECT_EQ(std::vector<int>(flat, flat + 3), std::vector<int>({128, 128, 255}));

    // Without layers the box is unlit; a layer added turns it lit and its unlit files go.
    ASSERT_EQ(ReadAtlas(Bank() / "Tst_Box.xml").Sprites.size(), 1u) << "working files and notes are no frames";
    Picture("Tst_Box/Box_NRM.png", 12, 8, 255);
    Build();
    EXPECT_TRUE(fs::exists(Bank() / "Tst_Box_NRM.sheet"));
    EXPECT_FALSE(fs::exists(Bank() / "Tst_Box.xml"));
    EXPECT_FALSE(fs::exists(Bank() / "Tst_Box.sheet"));
}

TEST_F(SourceTextureTest, AFaultyFolderIsNamedAndNothingIsWritten) {
    Picture("Tst_Box/Box.png", 12, 8);
    Picture("Tst_Box/Lid_NRM.png", 12, 8);
    EXPECT_NE(BuildError().find("Lid_NRM.png: no Lid.png beside it"), std::string::npos) << BuildError();
    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Lid_NRM.png");
    Picture("Tst_Box/Box_SPEC.png", 6, 8);
    EXPECT_NE(BuildError().find("Box_SPEC.png: 6x8 pixels, but its frame is 12x8"), std::string::npos);
    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Box_SPEC.png");
    Source.Write("Textures/Main/Tst_Box/Broken.png", "not a picture");
    EXPECT_NE(BuildError().find("Broken.png: not a PNG image"), std::string::npos) << BuildError();
    fs::remove(Source.Path() / "Textures/Main/Tst_Box/Broken.png");
    // Even unlit, a texture named like generated art would remove the generated one.
    Picture("Sprites/Box.png", 12, 8);
    EXPECT_NE(BuildError().find("Sprites: the name of generated art (Textures/Main/Sprites_COL.xml)"),
              std::string::npos)
        << BuildError();
    EXPECT_FALSE(fs::exists(Bank())) << "a faulty source stops the build before anything is written";
}

}  // namespace
}  // namespace qv::tools::test
