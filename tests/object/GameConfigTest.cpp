#include <gtest/gtest.h>

#include "TempFolder.h"
#include "object/ContentError.h"
#include "object/GameConfig.h"

namespace {

TEST(GameConfigTest, ReadsTheConfigFileFromTheContentFolder) {
    EXPECT_EQ(GameConfig::GetConfigPath(), std::filesystem::path("Content/Config/GameConfig.json"));
}

TEST(GameConfigTest, WithoutTheFileTheConfigurationStaysEmpty) {
    TempFolder folder;
    GameConfig config;
    config.LoadFrom(folder.Path() / "Config" / "GameConfig.json");
    EXPECT_EQ(config.DevelopmentContentPath, "");
}

TEST(GameConfigTest, ReadsTheDevelopmentContentPath) {
    TempFolder folder;
    const auto file = folder.Write("GameConfig.json", R"({ "DevelopmentContentPath": "../Dev/Content" })");
    GameConfig config;
    config.LoadFrom(file);
    EXPECT_EQ(config.DevelopmentContentPath, "../Dev/Content");
}

TEST(GameConfigTest, AFileWithoutTheKeyIsAnErrorNamingTheFileAndTheKey) {
    TempFolder folder;
    const auto file = folder.Write("GameConfig.json", R"({ "ContentPath": "x" })");
    GameConfig config;
    try {
        config.LoadFrom(file);
        FAIL() << "no error";
    } catch (const ContentError& e) {
        EXPECT_EQ(std::string(e.what()), file.generic_string() + ": missing \"DevelopmentContentPath\" member");
    }
}

TEST(GameConfigTest, MalformedJsonIsAnErrorNamingTheFileAndTheLine) {
    TempFolder folder;
    const auto file = folder.Write("GameConfig.json", "{\n  \"DevelopmentContentPath\": \"x\",\n}\n");
    GameConfig config;
    try {
        config.LoadFrom(file);
        FAIL() << "no error";
    } catch (const ContentError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(file.generic_string() + ": JSON syntax error on line 3", 0), 0u) << message;
    }
}

}  // namespace
