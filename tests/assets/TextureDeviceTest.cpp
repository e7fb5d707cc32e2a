#include <memory>
#include <string>

#include "GraphicsTestSupport.h"
#include "assets/Texture.h"
#include "assets/TextureLoader.h"
#include "assets/TextureManager.h"
#include "object/ContentError.h"
#include "platform/gfx/GfxImage.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/window/CursorImage.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"

namespace {

constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | a;
}

// Texture banks read through a real renderer at 320 x 200.
class TextureDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        WriteTextFile(DisplaySettings::GetPath(), "Width=320\nHeight=200\nFullscreen=false\n");
        mGraphics = std::make_unique<Graphics>();
        gGraphics = mGraphics.get();
        mGraphics->Init();
        mTextures = std::make_unique<TextureManager>(mGraphics.get());
        mTextures->ContentFolder = mFolder.Path();
    }

    void TearDown() override {
        mTextures.reset();
        gGraphics = nullptr;
        mGraphics.reset();
    }

    void WriteSolid(const std::string& bankFile, int width, int height, uint32_t rgba) {
        WritePng(mFolder.Path() / bankFile, width, height, [rgba](int, int) { return rgba; });
    }

    ScopedDataHome mDataHome;
    ScopedTempFolder mFolder;
    std::unique_ptr<Graphics> mGraphics;
    std::unique_ptr<TextureManager> mTextures;
};

}  // namespace

TEST_F(TextureDeviceTest, CompanionsGiveOneTextureHeroWithANormalMap) {
    WriteSolid("Main/Hero_COL.sheet", 256, 128, Rgba(255, 0, 0, 255));
    WriteSolid("Main/Hero_NRM.sheet", 256, 128, Rgba(128, 128, 255, 0));
    WriteSolid("Main/Hero_SPEC.sheet", 256, 128, Rgba(0, 0, 77, 255));
    WriteTextFile(mFolder.Path() / "Main/Hero_COL.xml",
                  "<TextureAtlas imagePath=\"Hero_COL.png\">"
                  "<sprite n=\"Run_COL\" x=\"64\" y=\"32\" w=\"32\" h=\"64\"/></TextureAtlas>");
    mTextures->LoadBank("Main");

    ASSERT_EQ(mTextures->Banks.at("Main")->Textures.size(), 1u);
    const Texture* hero = mTextures->GetTexture("Hero");
    ASSERT_NE(hero, nullptr);
    ASSERT_NE(hero->DeviceTexture, nullptr);
    ASSERT_NE(hero->NormalSpecularTexture, nullptr);
    EXPECT_EQ(hero->NormalSpecularTexture->ReadPixels()[3], 77) << "specular blue in the normal map's alpha";
    // The frame is measured against the image's real size.
    const Rect& run = hero->FrameRects.at(hero->GetFrameIndex("Run"));
    EXPECT_FLOAT_EQ(run.X, 0.25f);
    EXPECT_FLOAT_EQ(run.Y, 0.25f);
    EXPECT_FLOAT_EQ(run.Width, 0.125f);
    EXPECT_FLOAT_EQ(run.Height, 0.5f);
}

TEST_F(TextureDeviceTest, TheRendererReloadsBankTexturesAfterReleasingThem) {
    WriteSolid("Main/Logo.sheet", 8, 8, Rgba(0, 255, 0, 255));
    mTextures->LoadBank("Main");
    Texture* logo = mTextures->GetTexture("Logo");
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(logo->DeviceTexture, nullptr);

    mGraphics->ReleaseDeviceObjects();
    EXPECT_EQ(logo->DeviceTexture, nullptr);
    mGraphics->CreateDeviceObjects();
    mGraphics->ReloadTextures();
    ASSERT_NE(logo->DeviceTexture, nullptr);
    EXPECT_EQ(logo->DeviceTexture->ReadPixels()[1], 255);

    // Once the manager is gone the renderer no longer visits its textures.
    mTextures.reset();
    mGraphics->ReleaseDeviceObjects();
}

// Wider than any device takes: the device's refusal must name the image's file.
TEST_F(TextureDeviceTest, AnImageTooLargeForTheDeviceIsReportedByFile) {
    WriteSolid("Main/Huge_COL.sheet", 40000, 1, Rgba(1, 2, 3, 255));
    const std::filesystem::path path = mFolder.Path() / "Main/Huge_COL.sheet";
    Texture texture;
    try {
        LoadTexture(mGraphics->TextureDevice(), &texture, path);
        FAIL() << "a 40000 pixel wide texture was made";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_NE(std::string(error.what()).find("40000x1"), std::string::npos) << error.what();
    }
    EXPECT_EQ(texture.DeviceTexture, nullptr);
    EXPECT_EQ(texture.Width, 0.0f);
    EXPECT_THROW(mTextures->LoadBank("Main"), ContentError);
}

// A 54-byte bitmap whose header claims 513 x 1048576 pixels: the decoder would have
// allocated and cleared 2 GiB before finding no pixels.
TEST_F(TextureDeviceTest, AnImageWhoseHeaderClaimsTooMuchIsRefusedBeforeDecoding) {
    std::string bmp = "BM";
    const auto put32 = [&bmp](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bmp.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&bmp](uint16_t v) {
        bmp.push_back(static_cast<char>(v & 0xFF));
        bmp.push_back(static_cast<char>(v >> 8));
    };
    put32(54);       // file size
    put32(0);        // reserved
    put32(54);       // pixel offset
    put32(40);       // info header size
    put32(513);      // width
    put32(1048576);  // height
    put16(1);        // planes
    put16(32);       // bits per pixel
    for (int i = 0; i < 6; ++i) {
        put32(0);  // no compression, sizes and palette left to the reader
    }
    ASSERT_EQ(bmp.size(), 54u);
    const std::filesystem::path path = mFolder.Path() / "Main/Claims_COL.sheet";
    WriteTextFile(path, bmp);
    Texture texture;
    try {
        LoadTexture(mGraphics->TextureDevice(), &texture, path);
        FAIL() << "the image was decoded";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_NE(std::string(error.what()).find("513x1048576 pixels, over the device's limit"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(texture.DeviceTexture, nullptr);
}

// An image's format is the one its name says, or for a ".sheet" the one its signature
// shows; the image library's own guessing would take any file holding "<svg" for a
// drawing, whose decoder leaks. This file passes the header check as a 264 x 264 TGA
// whose header holds no zero byte, so the text search finds the drawing after it.
TEST_F(TextureDeviceTest, AFileIsDecodedOnlyAsTheImageFormatItsNameOrSignatureSays) {
    std::string drawing = {0x40, 1, 1, 1, 1, 1, 1, 24, 1, 1, 1, 1, 8, 1, 8, 1, 8, 0x20};
    drawing +=
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\">"
        "<rect width=\"8\" height=\"8\" fill=\"red\"/></svg>\n";
    int width = 0;
    int height = 0;
    std::string error;
    const std::filesystem::path sheet = mFolder.Path() / "Main/Drawing.sheet";
    WriteTextFile(sheet, drawing);
    ASSERT_TRUE(ReadImageHeaderSize(sheet, &width, &height, &error)) << error;
    ASSERT_EQ(width, 264);

    Texture texture;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadTexture(mGraphics->TextureDevice(), &texture, sheet));
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(texture.DeviceTexture, nullptr);
    EXPECT_NE(told.find(sheet.string() + ": cannot read image"), std::string::npos) << told;

    for (const char* name : {"Main/Drawing.png", "Main/Drawing.tga", "Cursors/Drawing.ico"}) {
        const std::filesystem::path file = mFolder.Path() / name;
        WriteTextFile(file, drawing);
        GfxImage image;
        EXPECT_FALSE(ReadImageFile(file, &image, &error, 4096)) << name;
        EXPECT_EQ(CursorImage::Load(file, &error), nullptr) << name;
    }

    // A real picture in a ".sheet" or under its own name still reads.
    WriteSolid("Main/Logo.sheet", 4, 2, Rgba(0, 255, 0, 255));
    WriteSolid("Main/Logo.png", 4, 2, Rgba(0, 255, 0, 255));
    for (const char* name : {"Main/Logo.sheet", "Main/Logo.png"}) {
        GfxImage image;
        EXPECT_TRUE(ReadImageFile(mFolder.Path() / name, &image, &error, 4096)) << name << ": " << error;
        EXPECT_EQ(image.Width, 4) << name;
    }
}

TEST(TextureManagerWithoutRendererTest, LoadingAnImageIsALogicError) {
    ScopedTempFolder folder;
    WriteTextFile(folder.Path() / "Main/Logo.sheet", "png data");
    TextureManager textures(static_cast<Graphics*>(nullptr));
    textures.ContentFolder = folder.Path();
    EXPECT_THROW(textures.LoadBank("Main"), std::logic_error);
}
