#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv::tools {

using Bytes = std::vector<std::uint8_t>;

// One generated file: where it goes below the content root and what it holds.
struct OutputFile {
    std::filesystem::path RelativePath;
    Bytes Data;
};

Bytes BytesFromText(const std::string& text);

// Reads a whole file; throws std::runtime_error naming the file when it cannot be read.
Bytes ReadFileBytes(const std::filesystem::path& path);

}  // namespace qv::tools
