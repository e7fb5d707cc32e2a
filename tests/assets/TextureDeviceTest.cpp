#include <memory>
#include <string>
#include <utility>

#include "GraphicsTestSupport.h"
#include "ToldWarnings.h"
#include "assets/Texture.h"
#include "assets/TextureLoader.h"
#include "assets/TextureManager.h"
#include "platform/gfx/GfxImage.h"
#include "platform/gfx/GfxTexture.h"
#include "platform/window/CursorImage.h"
#include "render/Graphics.h"

namespace {

constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | a;
}

// A 264 x 264 TGA header holding no zero byte, then a drawing: the image library's own
// guessing finds the "<svg" after it and hands the file to its leaking SVG reader.
std::string TgaHeadedDrawing() {
    std::string drawing = {0x40, 1, 1, 1, 1, 1, 1, 24, 1, 1, 1, 1, 8, 1, 8, 1, 8, 0x20};
    return drawing +
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\">"
           "<rect width=\"8\" height=\"8\" fill=\"red\"/></svg>\n";
}

// Texture banks read through a real renderer at 320 x 200.
class TextureDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        mGraphics = std::make_unique<Graphics>();
        // Smaller than any mode the display popup offers: set here, not in "Display.ini".
        mGraphics->Width = 320;
        mGraphics->Height = 200;
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

namespace {

// The bytes of a PNG chunk: length, type, data and the CRC of type and data.
std::string PngChunk(const std::string& type, const std::string& data) {
    const auto bigEndian = [](uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : type + data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return bigEndian(static_cast<uint32_t>(data.size())) + type + data + bigEndian(~crc);
}

}  // namespace

// Images whose headers claim more than the game takes: a 69-byte PNG claiming 16384 x
// 16384 RGBA (decoding it would first take 1 GiB for pixels the file does not hold) and
// a real one 40000 pixels wide. Each is refused from its header, before any decoding,
// told by its file with the size claimed, and its bank loads on without it.
TEST_F(TextureDeviceTest, AnImageClaimingMoreThanTheGameTakesIsRefusedFromItsHeaderAndToldByFile) {
    const std::string ihdr = {0, 0, 0x40, 0, 0, 0, 0x40, 0, 8, 6, 0, 0, 0};
    const std::string claims = std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", ihdr) +
                               PngChunk("IDAT", std::string("\x78\x9C\x63\x60\x18\x05\xA3\x60\x14\x8C\x02\x00", 12)) +
                               PngChunk("IEND", "");
    ASSERT_EQ(claims.size(), 69u);
    const std::filesystem::path claimsPath = mFolder.Path() / "Main/Claims.sheet";
    WriteTextFile(claimsPath, claims);
    WriteSolid("Main/Huge_COL.sheet", 40000, 1, Rgba(1, 2, 3, 255));
    const std::filesystem::path hugePath = mFolder.Path() / "Main/Huge_COL.sheet";
    int width = 0;
    int height = 0;
    std::string error;
    ASSERT_TRUE(ReadImageHeaderSize(claimsPath, &width, &height, &error)) << error;
    ASSERT_EQ(width, 16384);

    ToldWarnings told;
    for (const auto& [path, size] : {std::pair{claimsPath, "16384x16384"}, std::pair{hugePath, "40000x1"}}) {
        Texture texture;
        EXPECT_FALSE(LoadTexture(mGraphics->TextureDevice(), &texture, path)) << path;
        EXPECT_EQ(texture.DeviceTexture, nullptr);
        EXPECT_EQ(texture.Width, 0.0f);
        EXPECT_EQ(told.Naming(path.string() + ": cannot read image: the header claims " + size +
                              " pixels, over the largest side the game takes, 8192"),
                  1u)
            << ::testing::PrintToString(told.Lines);
    }
    EXPECT_EQ(told.Naming("decode"), 0u) << "refused before decoding: " << ::testing::PrintToString(told.Lines);

    mTextures->LoadBank("Main");
    for (const char* name : {"Claims", "Huge"}) {
        const Texture* texture = mTextures->GetTexture(name);
        ASSERT_NE(texture, nullptr) << name;
        EXPECT_EQ(texture->DeviceTexture, nullptr) << name;
    }
    EXPECT_EQ(told.Lines.size(), 4u) << ::testing::PrintToString(told.Lines);
}

// Textures are PNG files, whatever their names; every other format is refused before a
// decoder of it runs. Each file below has a header its own format's reader takes: a
// bitmap claiming 513 x 1048576 pixels (its decoder would clear 2 GiB before finding
// none), a JPEG whose Huffman counts add up to 4080 (its decoder writes them past a
// 257-entry table), a PNM whose width overflows an int, and the TGA-headed drawing.
TEST_F(TextureDeviceTest, ImagesAreReadOnlyAsPngWhateverTheirName) {
    std::string bitmap = "BM";
    const auto put32 = [&bitmap](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bitmap.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&bitmap](uint16_t v) {
        bitmap.push_back(static_cast<char>(v & 0xFF));
        bitmap.push_back(static_cast<char>(v >> 8));
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
    // Start of image, then a Huffman table segment of 2 + 1 + 16 + 4080 bytes.
    std::string jpeg = {'\xFF', '\xD8', '\xFF', '\xC4', '\x10', '\x03', '\x00'};
    jpeg += std::string(16, '\xFF') + std::string(4080, '\0');
    const std::string drawing = TgaHeadedDrawing();
    const std::pair<const char*, std::string> others[] = {
        {"Main/Claims.sheet", bitmap},
        {"Main/Huffman.sheet", jpeg},
        {"Main/Huffman.jpg", jpeg},
        {"Main/Overflow.sheet", "P6\n99999999999 1\n255\n"},
        {"Main/Drawing.sheet", drawing},
        {"Main/Drawing.tga", drawing},
    };
    for (const auto& [name, bytes] : others) {
        const std::filesystem::path path = mFolder.Path() / name;
        WriteTextFile(path, bytes);
        int width = 0;
        int height = 0;
        std::string error;
        EXPECT_FALSE(ReadImageHeaderSize(path, &width, &height, &error)) << name << " is " << width << "x" << height;
        EXPECT_EQ(error, "not a PNG image, the one image format the game reads") << name;

        Texture texture;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(LoadTexture(mGraphics->TextureDevice(), &texture, path)) << name;
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(texture.DeviceTexture, nullptr) << name;
        EXPECT_NE(told.find(path.string() + ": cannot read image: not a PNG image"), std::string::npos) << told;
    }

    // PNG data reads under any name.
    for (const char* name : {"Main/Logo.sheet", "Main/Logo.png", "Main/Logo.jpg"}) {
        WriteSolid(name, 4, 2, Rgba(0, 255, 0, 255));
        GfxImage image;
        std::string error;
        ASSERT_TRUE(ReadImageFile(mFolder.Path() / name, &image, &error, 4096)) << name << ": " << error;
        EXPECT_EQ(image.Width, 4) << name;
        EXPECT_EQ(image.Pixels.at(1), 255) << name;
    }
}

// A 3 x 3 palette PNG cut short 16 bytes into a transparency chunk that claims 262146:
// the image library's PNG reader took the missing bytes for more chunks and never
// returned, so the game hung while loading its textures.
TEST_F(TextureDeviceTest, APngCutShortIsToldAndLoadsNothing) {
    const unsigned char cut[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
        0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x03, 0x02, 0x03, 0x00, 0x00, 0x00, 0x2B, 0x46, 0x5D, 0x2C, 0x00,
        0x00, 0x00, 0x0C, 0x50, 0x4C, 0x54, 0x45, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00,
        0x00, 0xFF, 0x9B, 0xC0, 0x13, 0xDC, 0x00, 0x04, 0x00, 0x02, 0x74, 0x52, 0x4E, 0x53, 0x00, 0x80, 0x9B,
        0x2B, 0x4E, 0x18, 0x00, 0x00, 0x00, 0x0E, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x42, 0x60, 0x82};
    const std::filesystem::path path = mFolder.Path() / "Main/Cut.sheet";
    WriteTextFile(path, std::string(reinterpret_cast<const char*>(cut), sizeof(cut)));

    Texture texture;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadTexture(mGraphics->TextureDevice(), &texture, path));
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(texture.DeviceTexture, nullptr);
    EXPECT_NE(told.find(path.string() + ": cannot read image: cannot decode the PNG image"), std::string::npos)
        << told;
}

// A cursor's format is the one its name says, never the image library's guess.
TEST_F(TextureDeviceTest, ACursorIsDecodedOnlyAsTheImageFormatItsNameSays) {
    const std::string drawing = TgaHeadedDrawing();
    for (const char* name : {"Cursors/Drawing.png", "Cursors/Drawing.tga", "Cursors/Drawing.ico"}) {
        const std::filesystem::path file = mFolder.Path() / name;
        WriteTextFile(file, drawing);
        std::string error;
        EXPECT_EQ(CursorImage::ReadImage(file, &error), nullptr) << name;
    }
}

TEST(TextureManagerWithoutRendererTest, LoadingAnImageIsALogicError) {
    ScopedTempFolder folder;
    WriteTextFile(folder.Path() / "Main/Logo.sheet", "png data");
    TextureManager textures(static_cast<Graphics*>(nullptr));
    textures.ContentFolder = folder.Path();
    EXPECT_THROW(textures.LoadBank("Main"), std::logic_error);
}
