#include "tools/io/Bytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qv::tools {

Bytes BytesFromText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path.string() + ": cannot open file for reading");
    }
    Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw std::runtime_error(path.string() + ": read error");
    }
    return data;
}

}  // namespace qv::tools
