#include "object/AtomicFile.h"

#include <fstream>
#include <system_error>

#include "object/ContentError.h"

namespace {

void RemoveQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

void WriteWhole(const std::filesystem::path& file, const std::filesystem::path& temporary,
                const std::function<void(std::ostream&)>& write) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw ContentError(file, "cannot open '" + temporary.generic_string() + "' for writing");
    }
    write(out);
    out.close();
    if (!out) {
        throw ContentError(file, "writing '" + temporary.generic_string() + "' failed");
    }
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    try {
        WriteWhole(file, temporary, write);
    } catch (...) {
        RemoveQuietly(temporary);
        throw;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        RemoveQuietly(temporary);
        throw ContentError(file, "cannot replace the file: " + error.message());
    }
}
