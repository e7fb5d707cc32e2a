#include "ContentTestSupport.h"

#include "tools/ContentBuild.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace qv::tools::test {

namespace fs = std::filesystem;

namespace {

// Content is generated on first use, once per test program, so tests that do
// not read it cost nothing; the folder is removed when the program's tests end.
class GeneratedContentEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        if (!Root().empty())
            fs::remove_all(Root());
    }
    static fs::path& Root() {
        static fs::path root;
        return root;
    }
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new GeneratedContentEnvironment);

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

const fs::path& GeneratedContent() {
    fs::path& root = GeneratedContentEnvironment::Root();
    if (root.empty()) {
        const fs::path folder = fs::temp_directory_path() / ("qv_content_tests_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        BuildContent(folder);
        root = folder;
    }
    return root;
}

fs::path CommittedContent() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return fs::path(source != nullptr ? source : ".") / "Content";
}

Image8 LoadPicture(const fs::path& path) {
    std::unique_ptr<SDL_Surface, SurfaceDeleter> loaded(IMG_Load(path.c_str()));
    if (!loaded)
        throw std::runtime_error(path.string() + ": " + IMG_GetError());
    std::unique_ptr<SDL_Surface, SurfaceDeleter> rgba(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba)
        throw std::runtime_error(path.string() + ": cannot convert: " + SDL_GetError());
    Image8 image(rgba->w, rgba->h);
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(rgba->pixels) + static_cast<std::ptrdiff_t>(y) * rgba->pitch;
        std::copy(row, row + rgba->w * 4, image.At(0, y));
    }
    return image;
}

const AtlasSprite* Atlas::Find(const std::string& name) const {
    for (const AtlasSprite& sprite : Sprites) {
        if (sprite.Name == name)
            return &sprite;
    }
    return nullptr;
}

Atlas ReadAtlas(const fs::path& xmlPath) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_xml(xmlPath.string(), tree);
    const auto& root = tree.get_child("TextureAtlas");
    Atlas atlas;
    atlas.XmlPath = xmlPath;
    atlas.SheetPath =
        xmlPath.parent_path() / fs::path(root.get<std::string>("<xmlattr>.imagePath")).replace_extension(".sheet");
    for (const auto& [name, child] : root) {
        if (name != "sprite")
            continue;
        const auto& a = child.get_child("<xmlattr>");
        AtlasSprite s;
        s.Name = a.get<std::string>("n");
        s.X = IntAt(a, "x"), s.Y = IntAt(a, "y"), s.W = IntAt(a, "w"), s.H = IntAt(a, "h");
        s.OX = IntAt(a, "oX", 0), s.OY = IntAt(a, "oY", 0), s.OW = IntAt(a, "oW", s.W), s.OH = IntAt(a, "oH", s.H);
        atlas.Sprites.push_back(s);
    }
    return atlas;
}

int IntAt(const boost::property_tree::ptree& tree, const std::string& path) {
    return std::stoi(tree.get<std::string>(path));
}

int IntAt(const boost::property_tree::ptree& tree, const std::string& path, int fallback) {
    const auto text = tree.get_optional<std::string>(path);
    return text ? std::stoi(*text) : fallback;
}

float FloatAt(const boost::property_tree::ptree& tree, const std::string& path) {
    return std::stof(tree.get<std::string>(path));
}

std::vector<fs::path> FilesWithExtension(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Atlas> ReadAllAtlases() {
    std::vector<Atlas> atlases;
    for (const fs::path& xml : FilesWithExtension(GeneratedContent() / "Textures" / "Main", ".xml"))
        atlases.push_back(ReadAtlas(xml));
    return atlases;
}

}  // namespace qv::tools::test
