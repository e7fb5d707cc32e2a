#pragma once

#include "tools/io/Bytes.h"

#include <filesystem>

namespace qv::tools {

// Writes generated files below a content root so that a reader never sees a
// half-written asset: each file is written in full to a staging folder on the
// same file system and then renamed over its destination. The staging folder
// lies outside every folder the game scans, so an interrupted build leaves no
// stray file where the game would pick it up.
class ContentWriter {
public:
    explicit ContentWriter(std::filesystem::path contentRoot);
    ~ContentWriter();

    ContentWriter(const ContentWriter&) = delete;
    ContentWriter& operator=(const ContentWriter&) = delete;

    // Returns false when the destination already held exactly these bytes and
    // was left untouched (its time stamp too, so file watchers stay quiet).
    bool Write(const OutputFile& file);

    const std::filesystem::path& Root() const { return mRoot; }

private:
    std::filesystem::path mRoot;
    std::filesystem::path mStaging;
};

}  // namespace qv::tools
