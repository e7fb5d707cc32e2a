#pragma once

#include <filesystem>
#include <string>

// The developer's configuration, read once at start-up from an optional file.
class GameConfig {
public:
    virtual ~GameConfig() = default;

    // "Content/Config/GameConfig.json", relative to the working folder.
    static std::filesystem::path GetConfigPath();

    // Reads the file when it exists; otherwise the configuration stays empty, which is
    // told through WarnContent.
    void Load();
    // The same from another file (tests). A file that exists but is malformed or lacks
    // "DevelopmentContentPath" raises ContentError naming the file.
    void LoadFrom(const std::filesystem::path& file);

    // Empty: content comes from "Content". Otherwise a folder whose subfolders replace
    // those of "Content" where the content code allows it.
    std::string DevelopmentContentPath;
};

extern GameConfig* gGameConfig;
