// Writes the game's generated content (textures, fonts, sounds, music, cursors)
// into the content folder given on the command line.
#include "tools/ContentBuild.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <content folder>\n", argc > 0 ? argv[0] : "qv_content_build");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        const qv::tools::ContentBuildSummary summary = qv::tools::BuildContent(argv[1]);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("content: %d files written, %d unchanged, %.1f s\n", summary.Written, summary.Unchanged,
                    elapsed.count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "content build failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
