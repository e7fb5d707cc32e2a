#include "object/GameConfig.h"

#include <system_error>

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
        return;
    }
    const boost::property_tree::ptree tree = ReadJsonFile(file);
    DevelopmentContentPath = RequireJsonString(tree, "DevelopmentContentPath", file);
}
