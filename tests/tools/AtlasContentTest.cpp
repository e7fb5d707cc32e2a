#include "ContentTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace qv::tools::test {
namespace {

bool IsPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

TEST(AtlasContent, EveryFrameLiesInsideItsImageWithAConsistentTrim) {
    const std::vector<Atlas> atlases = ReadAllAtlases();
    ASSERT_GE(atlases.size(), 5u);
    for (const Atlas& atlas : atlases) {
        SCOPED_TRACE(atlas.XmlPath.string());
        ASSERT_TRUE(std::filesystem::exists(atlas.SheetPath));
        const Image8 image = LoadPicture(atlas.SheetPath);
        EXPECT_TRUE(IsPowerOfTwo(image.Width) && IsPowerOfTwo(image.Height));
        ASSERT_FALSE(atlas.Sprites.empty());
        std::set<std::string> names;
        for (const AtlasSprite& s : atlas.Sprites) {
            SCOPED_TRACE(s.Name);
            EXPECT_TRUE(names.insert(s.Name).second) << "repeated frame name";
            EXPECT_GT(s.W, 0);
            EXPECT_GT(s.H, 0);
            EXPECT_GE(s.X, 0);
            EXPECT_GE(s.Y, 0);
            EXPECT_LE(s.X + s.W, image.Width);
            EXPECT_LE(s.Y + s.H, image.Height);
            EXPECT_GE(s.OX, 0);
            EXPECT_GE(s.OY, 0);
            EXPECT_LE(s.OX + s.W, s.OW);
            EXPECT_LE(s.OY + s.H, s.OH);
            EXPECT_TRUE(IsPowerOfTwo(s.OW) && IsPowerOfTwo(s.OH)) << s.OW << "x" << s.OH;
        }
    }
}

TEST(AtlasContent, LitTexturesHaveNormalAndSpecularPagesOfTheColourPageSize) {
    int lit = 0;
    for (const Atlas& atlas : ReadAllAtlases()) {
        const std::string stem = atlas.SheetPath.stem().string();
        if (stem.size() < 4 || stem.substr(stem.size() - 4) != "_COL")
            continue;
        ++lit;
        const std::string base = stem.substr(0, stem.size() - 4);
        const auto folder = atlas.SheetPath.parent_path();
        const Image8 colour = LoadPicture(atlas.SheetPath);
        for (const char* suffix : {"_NRM.sheet", "_SPEC.sheet"}) {
            SCOPED_TRACE(base + suffix);
            const Image8 companion = LoadPicture(folder / (base + suffix));
            EXPECT_EQ(companion.Width, colour.Width);
            EXPECT_EQ(companion.Height, colour.Height);
        }
    }
    EXPECT_EQ(lit, 2) << "the sprites and the sprite lights are lit";
}

TEST(AtlasContent, FramesTheGameLooksUpExist) {
    const std::vector<std::string> required = {"Player_0000",
                                               "Player_0001",
                                               "CentipedeHead_0000",
                                               "CentipedeBody_0000",
                                               "Ant_0000",
                                               "Ant_0001",
                                               "Ant_0002",
                                               "Ant_0003",
                                               "AntSack_0000",
                                               "Chaser_0000",
                                               "Pill_0000",
                                               "PistolIcon",
                                               "ShotgunIcon",
                                               "PistolBorder",
                                               "ShotgunBorder",
                                               "Bullet_0000",
                                               "Pellet_0000",
                                               "Exit_0000",
                                               "ExitLight",
                                               "Wall_0000",
                                               "ChunkInsect_0000",
                                               "ChunkPlayer_0000",
                                               "Pebble_0000",
                                               "SpawnPuff_0000",
                                               "AimCursor",
                                               "IconLock",
                                               "IconComplete",
                                               "IconPar",
                                               "IconChecked",
                                               "IconNewBest",
                                               "Key_Space",
                                               "Key_Esc",
                                               "Key_Left",
                                               "Key_Right",
                                               "Key_F",
                                               "Panel",
                                               "AltBg1",
                                               "AltBg2",
                                               "PointLight",
                                               "DirectionalLight"};
    const std::vector<Atlas> atlases = ReadAllAtlases();
    for (const std::string& name : required) {
        bool found = false;
        for (const Atlas& atlas : atlases)
            found = found || atlas.Find(name) != nullptr;
        EXPECT_TRUE(found) << name;
    }
}

TEST(AtlasContent, EditorTextureHasAnOpaqueWhiteOnePixelFrame) {
    const Atlas editor = ReadAtlas(GeneratedContent() / "Textures" / "Main" / "Editor.xml");
    EXPECT_EQ(editor.SheetPath.filename(), "Editor.sheet") << "the texture must be named Editor";
    const AtlasSprite* white = editor.Find("1PixelWhite");
    ASSERT_NE(white, nullptr);
    const Image8 page = LoadPicture(editor.SheetPath);
    // The frame and the texels a linear filter reaches around it.
    for (int y = white->Y - 1; y <= white->Y + white->H; ++y) {
        for (int x = white->X - 1; x <= white->X + white->W; ++x) {
            const std::uint8_t* p = page.At(x, y);
            EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 255) << "texel " << x << "," << y;
        }
    }
}

// A tileable picture changes no more across its seam than between neighbouring columns inside it.
double MeanColumnStep(const Image8& image, int a, int b) {
    double sum = 0;
    for (int y = 0; y < image.Height; ++y) {
        for (int c = 0; c < 3; ++c)
            sum += std::abs(image.At(a, y)[c] - image.At(b, y)[c]);
    }
    return sum / image.Height;
}

TEST(AtlasContent, BackgroundsAreOpaqueAndTileable) {
    for (const char* name :
         {"Background1", "Background2", "Background3", "BackgroundPill", "BackgroundBonus", "BackgroundBoss"}) {
        SCOPED_TRACE(name);
        const auto sheet = GeneratedContent() / "Textures" / "Main" / (std::string(name) + ".sheet");
        const Image8 image = LoadPicture(sheet);
        for (std::size_t i = 3; i < image.Pixels.size(); i += 4)
            ASSERT_EQ(image.Pixels[i], 255);
        double inner = 0;
        for (int x = 1; x < image.Width; ++x)
            inner = std::max(inner, MeanColumnStep(image, x - 1, x));
        EXPECT_LE(MeanColumnStep(image, image.Width - 1, 0), inner * 1.5 + 1.0);
    }
}

// Colour page, normal page and atlas of the lights, decoded once.
struct LightPages {
    Atlas Lights = ReadAtlas(GeneratedContent() / "Textures" / "Main" / "Lights_COL.xml");
    Image8 Normal = LoadPicture(GeneratedContent() / "Textures" / "Main" / "Lights_NRM.sheet");
    double DirectionX(int x, int y) const { return Normal.At(x, y)[0] / 127.5 - 1.0; }
    double DirectionY(int x, int y) const { return Normal.At(x, y)[1] / 127.5 - 1.0; }
};

TEST(AtlasContent, DirectionalLightTableHoldsTheDirectionItIsSampledFor) {
    const LightPages pages;
    const AtlasSprite* table = pages.Lights.Find("DirectionalLight");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->W, table->OW) << "a table must not be trimmed";
    // "Direction" d samples the texel at (d / 2 + 0.5) across the frame.
    const int right = table->X + table->W - 1, middleY = table->Y + table->H / 2;
    EXPECT_GT(pages.DirectionX(right, middleY), 0.6);
    EXPECT_NEAR(pages.DirectionY(right, middleY), 0.0, 0.1);
    const int bottom = table->Y + table->H - 1, middleX = table->X + table->W / 2;
    EXPECT_GT(pages.DirectionY(middleX, bottom), 0.6);
}

TEST(AtlasContent, PointLightDirectionsPointBackAtTheLight) {
    const LightPages pages;
    const AtlasSprite* light = pages.Lights.Find("PointLight");
    ASSERT_NE(light, nullptr);
    const int cx = light->X + light->OW / 2 - light->OX, cy = light->Y + light->OH / 2 - light->OY;
    const int reach = light->W / 4;
    EXPECT_GT(pages.DirectionX(cx - reach, cy), 0.3) << "left of the light, it lies to the right";
    EXPECT_LT(pages.DirectionX(cx + reach, cy), -0.3);
    EXPECT_LT(pages.DirectionY(cx, cy - reach), -0.3) << "above the light (picture rows run down), it lies below";
    EXPECT_GT(pages.DirectionY(cx, cy + reach), 0.3);
}

}  // namespace
}  // namespace qv::tools::test
