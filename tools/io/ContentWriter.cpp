#include "tools/io/ContentWriter.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace qv::tools {
namespace fs = std::filesystem;

namespace {

bool FileHolds(const fs::path& path, const Bytes& data) {
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) != data.size() || error) {
        return false;
    }
    return ReadFileBytes(path) == data;
}

void WriteWholeFile(const fs::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error(path.string() + ": cannot open file for writing");
    }
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
        throw std::runtime_error(path.string() + ": write failed (disk full?)");
    }
}

}  // namespace

ContentWriter::ContentWriter(fs::path contentRoot)
    : mRoot(std::move(contentRoot)), mStaging(mRoot / ".content-staging") {
    fs::create_directories(mStaging);
}

ContentWriter::~ContentWriter() {
    std::error_code ignored;
    fs::remove_all(mStaging, ignored);
}

bool ContentWriter::Write(const OutputFile& file) {
    if (file.RelativePath.empty() || file.RelativePath.is_absolute()) {
        throw std::invalid_argument("content output path must be relative: '" + file.RelativePath.string() + "'");
    }
    const fs::path destination = mRoot / file.RelativePath;
    if (FileHolds(destination, file.Data)) {
        return false;
    }
    fs::create_directories(destination.parent_path());

    // Flattened so that files of the same name in different folders never share a staging name.
    std::string stagingName = file.RelativePath.generic_string();
    for (char& c : stagingName) {
        if (c == '/')
            c = '~';
    }
    const fs::path staged = mStaging / stagingName;
    WriteWholeFile(staged, file.Data);
    std::error_code error;
    fs::rename(staged, destination, error);
    if (error) {
        fs::remove(staged, error);
        throw std::runtime_error(destination.string() + ": cannot replace file: " + error.message());
    }
    return true;
}

}  // namespace qv::tools
