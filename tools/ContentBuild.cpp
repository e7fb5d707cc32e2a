#include "tools/ContentBuild.h"

#include "tools/art/BackgroundArt.h"
#include "tools/art/CreatureArt.h"
#include "tools/art/EditorArt.h"
#include "tools/art/EffectArt.h"
#include "tools/art/FrameFactory.h"
#include "tools/art/InterfaceArt.h"
#include "tools/art/ItemArt.h"
#include "tools/art/LightArt.h"
#include "tools/art/SourceExampleArt.h"
#include "tools/atlas/SourceTextures.h"
#include "tools/audio/MusicTracks.h"
#include "tools/audio/SoundEffects.h"
#include "tools/io/ContentWriter.h"
#include "tools/io/IcoEncoder.h"
#include "tools/text/BitmapFontBaker.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <functional>
#include <future>
#include <set>
#include <stdexcept>

namespace qv::tools {

namespace {

namespace fs = std::filesystem;

using Job = std::function<std::vector<OutputFile>()>;

const fs::path kTextureBank = fs::path("Textures") / "Main";
const fs::path kFontGroup = fs::path("Fonts") / "Main";
const fs::path kSoundBank = fs::path("Sounds") / "Main";
const fs::path kMusicFolder = "Music";
const fs::path kCursorFolder = "Cursors";

Job AtlasJob(std::string name, Lighting lighting, std::function<std::vector<AtlasFrame>()> frames) {
    return [=] {
        TextureAtlas atlas(name, lighting);
        for (AtlasFrame& frame : frames())
            atlas.Add(std::move(frame));
        return atlas.Build(kTextureBank);
    };
}

std::vector<AtlasFrame> LitSpriteFrames() {
    std::vector<AtlasFrame> frames{SolidWhiteFrame(true)};
    for (AtlasFrame& f : CreatureFrames())
        frames.push_back(std::move(f));
    for (AtlasFrame& f : ItemFrames())
        frames.push_back(std::move(f));
    return frames;
}

std::vector<OutputFile> AimCursorFiles() {
    SpriteCanvas canvas(32, 32);
    DrawAimCursor(canvas);
    return {{kCursorFolder / "Aim.ico", EncodeIco(canvas.ColourImage())}};
}

std::vector<Job> ContentJobs() {
    std::vector<Job> jobs;
    // Longest first, so the pool of threads finishes together.
    for (const TrackRecipe& track : MusicTrackRecipes()) {
        jobs.push_back([=] { return BuildMusicTrack(track, kMusicFolder); });
    }
    jobs.push_back(AtlasJob("Sprites", Lighting::Lit, LitSpriteFrames));
    jobs.push_back(AtlasJob("Fx", Lighting::Unlit, EffectFrames));
    jobs.push_back(AtlasJob("Lights", Lighting::Lit, LightFrames));
    jobs.push_back(AtlasJob("Ui", Lighting::Unlit, InterfaceFrames));
    jobs.push_back(AtlasJob("Editor", Lighting::Unlit, EditorFrames));
    jobs.push_back([] { return BackgroundFiles(kTextureBank); });
    for (const BitmapFontRecipe& font : MainFontRecipes()) {
        jobs.push_back([=] { return BakeBitmapFont(font, kFontGroup); });
    }
    jobs.push_back([] {
        std::vector<OutputFile> files;
        for (const SoundRecipe& sound : SoundEffectRecipes())
            files.push_back(RenderSoundEffect(sound, kSoundBank));
        return files;
    });
    jobs.push_back(AimCursorFiles);
    return jobs;
}

}  // namespace

std::vector<OutputFile> GenerateContent() {
    std::vector<std::future<std::vector<OutputFile>>> pending;
    for (Job& job : ContentJobs())
        pending.push_back(std::async(std::launch::async, std::move(job)));
    std::vector<OutputFile> files;
    // Collected in job order, whatever order the threads finish in; get() rethrows a job's error.
    for (auto& result : pending) {
        for (OutputFile& file : result.get())
            files.push_back(std::move(file));
    }
    return files;
}

ContentBuildSummary BuildContent(const fs::path& contentRoot, const fs::path& sourceRoot) {
    return WriteContent(contentRoot, GenerateContent(), sourceRoot);
}

ContentBuildSummary WriteContent(const fs::path& contentRoot, std::vector<OutputFile> files,
                                 const fs::path& sourceRoot) {
    ContentBuildSummary summary;
    std::vector<fs::path> stale;
    if (!sourceRoot.empty()) {
        summary.ExamplePictures = WriteMissingExamplePictures(sourceRoot);
        std::set<fs::path> generated;
        for (const OutputFile& file : files)
            generated.insert(file.RelativePath);
        for (PackedSourceTexture& texture : PackTextureSources(sourceRoot)) {
            std::vector<fs::path> touched = StaleFormFiles(texture);
            for (const OutputFile& file : texture.Files)
                touched.push_back(file.RelativePath);
            // Lit or unlit, a texture of the same name would overwrite or remove the generated one.
            for (const fs::path& path : touched) {
                if (generated.count(path) != 0) {
                    throw std::runtime_error(texture.Folder.string() + ": the name of generated art (" +
                                             path.generic_string() + "); rename the folder");
                }
            }
            for (OutputFile& file : texture.Files)
                files.push_back(std::move(file));
            for (fs::path& path : StaleFormFiles(texture))
                stale.push_back(std::move(path));
            ++summary.SourceTextures;
        }
    }
    ContentWriter writer(contentRoot);
    for (const OutputFile& file : files) {
        if (writer.Write(file)) {
            ++summary.Written;
        } else {
            ++summary.Unchanged;
        }
    }
    // Otherwise the bank would hold the texture twice, lit and unlit.
    for (const fs::path& path : stale)
        fs::remove(contentRoot / path);
    return summary;
}

fs::path DevelopmentContentFolder(const fs::path& contentRoot) {
    const fs::path configFile = contentRoot / "Config" / "GameConfig.json";
    std::error_code error;
    if (!fs::is_regular_file(configFile, error)) {
        return {};
    }
    boost::property_tree::ptree config;
    try {
        boost::property_tree::read_json(configFile.string(), config);
    } catch (const boost::property_tree::json_parser_error& e) {
        throw std::runtime_error(configFile.string() + ": " + e.message() + " (line " + std::to_string(e.line()) + ")");
    }
    const auto member = config.get_child_optional("DevelopmentContentPath");
    if (!member) {
        throw std::runtime_error(configFile.string() + ": missing \"DevelopmentContentPath\" member");
    }
    const fs::path folder(member->data());
    if (folder.empty() || folder.is_absolute()) {
        return folder;
    }
    fs::path gameFolder = contentRoot.lexically_normal();
    if (!gameFolder.has_filename()) {
        gameFolder = gameFolder.parent_path();
    }
    return gameFolder.parent_path() / folder;
}

}  // namespace qv::tools
