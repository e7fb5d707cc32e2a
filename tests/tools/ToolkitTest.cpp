#include "tools/atlas/AtlasPacker.h"
#include "tools/atlas/TextureAtlas.h"
#include "tools/draw/NormalMap.h"
#include "tools/io/ContentWriter.h"
#include "tools/io/OggVorbisEncoder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <unistd.h>
#include <cmath>
#include <fstream>

namespace qv::tools {
namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("qv_toolkit_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

bool Overlap(const PixelRect& a, const PixelRect& b, int gap) {
    return a.X < b.X + b.Width + gap && b.X < a.X + a.Width + gap && a.Y < b.Y + b.Height + gap &&
           b.Y < a.Y + a.Height + gap;
}

TEST(AtlasPacker, PlacesEveryRectangleApartAndInsideAPowerOfTwoPage) {
    std::vector<PixelRect> sizes;
    for (int i = 0; i < 40; ++i)
        sizes.push_back({0, 0, 8 + (i * 37) % 120, 8 + (i * 53) % 90});
    const int padding = 2;
    const AtlasPacker::Result result = AtlasPacker(padding, 2048).Pack(sizes);
    EXPECT_EQ(result.PageWidth & (result.PageWidth - 1), 0);
    EXPECT_EQ(result.PageHeight & (result.PageHeight - 1), 0);
    ASSERT_EQ(result.Placements.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const PixelRect& r = result.Placements[i];
        EXPECT_EQ(r.Width, sizes[i].Width);
        EXPECT_EQ(r.Height, sizes[i].Height);
        EXPECT_GE(r.X, padding);
        EXPECT_GE(r.Y, padding);
        EXPECT_LE(r.X + r.Width + padding, result.PageWidth);
        EXPECT_LE(r.Y + r.Height + padding, result.PageHeight);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(Overlap(r, result.Placements[j], 2 * padding - 1)) << i << " and " << j;
    }
}

TEST(AtlasPacker, RejectsWhatCannotFitAndEmptyRectangles) {
    EXPECT_THROW(AtlasPacker(2, 256).Pack({{0, 0, 300, 10}}), std::runtime_error);
    EXPECT_THROW(AtlasPacker(2, 256).Pack({{0, 0, 0, 10}}), std::invalid_argument);
}

Image8 DotPicture(int side, int x, int y) {
    Image8 image(side, side);
    std::uint8_t* p = image.At(x, y);
    p[0] = 200, p[1] = 100, p[2] = 50, p[3] = 255;
    return image;
}

TEST(TextureAtlas, RecordsTheTrimAndExtrudesEdgesIntoThePadding) {
    TextureAtlas atlas("Dots", Lighting::Unlit);
    atlas.Add({"Dot", DotPicture(32, 10, 5), {}, {}, true});
    atlas.Add({"Whole", DotPicture(16, 3, 3), {}, {}, false});
    EXPECT_THROW(atlas.Add({"Dot", DotPicture(8, 1, 1), {}, {}, true}), std::invalid_argument);
    const std::vector<OutputFile> files = atlas.Build("Textures/Test");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].RelativePath, fs::path("Textures/Test/Dots.xml"));
    EXPECT_EQ(files[1].RelativePath, fs::path("Textures/Test/Dots.sheet"));
    const std::string xml(files[0].Data.begin(), files[0].Data.end());
    EXPECT_NE(xml.find("imagePath=\"Dots.png\""), std::string::npos);
    EXPECT_NE(xml.find("n=\"Dot\""), std::string::npos);
    EXPECT_NE(xml.find("w=\"1\" h=\"1\" oX=\"10\" oY=\"5\" oW=\"32\" oH=\"32\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("w=\"16\" h=\"16\" oX=\"0\" oY=\"0\" oW=\"16\" oH=\"16\""), std::string::npos) << xml;
}

TEST(TextureAtlas, LitAtlasNeedsMatchingLayersAndWritesThreePages) {
    TextureAtlas atlas("Hero", Lighting::Lit);
    EXPECT_THROW(atlas.Add({"Bad", DotPicture(8, 1, 1), {}, {}, true}), std::invalid_argument);
    atlas.Add({"Good", DotPicture(8, 1, 1), DotPicture(8, 1, 1), DotPicture(8, 1, 1), true});
    std::vector<std::string> names;
    for (const OutputFile& f : atlas.Build("B"))
        names.push_back(f.RelativePath.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"Hero_COL.xml", "Hero_COL.sheet", "Hero_NRM.sheet", "Hero_SPEC.sheet"}));
}

TEST(NormalMap, SlopesFaceAwayFromTheRiseWithPictureUpAsPlusY) {
    Grid<float> ramp(8, 8, 0.0f);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            ramp.At(x, y) = static_cast<float>(x) * 0.1f + static_cast<float>(y) * 0.05f;
    }
    const Vec3 n = NormalsFromHeight(ramp, 1.0f).At(4, 4);
    EXPECT_LT(n.X, 0) << "rising to the right tilts the normal left";
    EXPECT_GT(n.Y, 0) << "rising towards the bottom row tilts the normal up the picture";
    EXPECT_NEAR(n.X * n.X + n.Y * n.Y + n.Z * n.Z, 1.0f, 1e-5f);
    std::uint8_t rgb[3];
    EncodeDirection({0, 0, 1}, rgb);
    EXPECT_EQ(rgb[0], 128);
    EXPECT_EQ(rgb[1], 128);
    EXPECT_EQ(rgb[2], 255);
}

TEST(ContentWriter, ReplacesFilesWholeAndLeavesEqualOnesAlone) {
    const fs::path root = ScratchFolder("writer");
    {
        ContentWriter writer(root);
        EXPECT_TRUE(writer.Write({"A/b.txt", BytesFromText("one")}));
        EXPECT_FALSE(writer.Write({"A/b.txt", BytesFromText("one")}));
        EXPECT_TRUE(writer.Write({"A/b.txt", BytesFromText("two!")}));
        EXPECT_THROW(writer.Write({root / "abs.txt", BytesFromText("x")}), std::invalid_argument);
    }
    EXPECT_EQ(ReadFileBytes(root / "A" / "b.txt"), BytesFromText("two!"));
    EXPECT_FALSE(fs::exists(root / ".content-staging"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "A"), fs::directory_iterator{}), 1)
        << "no temporary file may remain";
    fs::remove_all(root);
}

TEST(OggVorbisEncoder, DecodesToExactlyTheFramesEncoded) {
    const int frames = 12345;
    std::vector<float> samples(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i)
        samples[2 * i] = samples[2 * i + 1] = 0.5f * std::sin(i * 0.05f);
    const Bytes ogg = EncodeOggVorbis(samples, 2, 44100, 0.0f);
    EXPECT_EQ(ogg, EncodeOggVorbis(samples, 2, 44100, 0.0f)) << "same samples, same bytes";
    const fs::path folder = ScratchFolder("ogg");
    std::ofstream(folder / "t.ogg", std::ios::binary)
        .write(reinterpret_cast<const char*>(ogg.data()), static_cast<std::streamsize>(ogg.size()));
    SF_INFO info{};
    SNDFILE* file = sf_open((folder / "t.ogg").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(info.frames, frames);
    EXPECT_EQ(info.channels, 2);
    sf_close(file);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qv::tools
