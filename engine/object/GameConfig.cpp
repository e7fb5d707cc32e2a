#include "object/GameConfig.h"

#include <system_error>

#include "object/ContentWarning.h"
#include "object/JsonFile.h"

GameConfig* gGameConfig = nullptr;

std::filesystem::path GameConfig::GetConfigPath() {
    return "Content/Config/GameConfig.json";
}

void GameConfig::Load() {
    LoadFrom(GetConfigPath());
}

void GameConfig::LoadFrom(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error || !std::filesystem::exists(status)) {
        // Optional, but without it the editor quietly loses the development content.
        const bool notFound = status.type() == std::filesystem::file_type::not_found;
        const std::string problem = notFound ? "not found" : "cannot be read (" + error.message() + ")";
        WarnContent(file.generic_string() + ": " + problem +
                    "; no development content folder, so the editor has no hot reload");
        return;
    }
    const boost::property_tree::ptree tree = ReadJsonFile(file);
    DevelopmentContentPath = RequireJsonString(tree, "DevelopmentContentPath", file);
}
