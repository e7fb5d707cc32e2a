// Writes the game's generated content (textures, fonts, sounds, music, cursors)
// into the content folder given on the command line, and packs the texture source
// folders of the development content folder its game configuration names.
#include "tools/ContentBuild.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <content folder>\n", argc > 0 ? argv[0] : "qv_content_build");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const std::filesystem::path sourceRoot = qv::tools::DevelopmentContentFolder(argv[1]);
        const qv::tools::ContentBuildSummary summary = qv::tools::BuildContent(argv[1], sourceRoot);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("content: %d files written, %d unchanged, %.1f s\n", summary.Written, summary.Unchanged,
                    elapsed.count());
        if (!sourceRoot.empty()) {
            std::printf("content: %d texture source folders packed from %s (%d example pictures painted)\n",
                        summary.SourceTextures, sourceRoot.string().c_str(), summary.ExamplePictures);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "content build failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
