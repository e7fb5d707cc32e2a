#include "assets/ContentFiles.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "object/ContentError.h"

namespace {

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::vector<std::filesystem::path> ListContentFiles(const std::filesystem::path& folder, const std::string& extension) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        throw ContentError(folder, "cannot list the folder: " + error.message());
    }
    const std::string wanted = ToLower(extension);
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::directory_entry& entry : it) {
        std::error_code statusError;
        if (entry.is_regular_file(statusError) &&
            (wanted.empty() || ToLower(entry.path().extension().string()) == wanted)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}
