#include <gtest/gtest.h>

#include "TempFolder.h"
#include "ToldWarnings.h"
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

// Optional, but without it the editor has no development content folder and so no hot
// reload: that is told once, naming the file and the loss. A file that is there tells
// nothing.
TEST(GameConfigTest, AMissingFileIsToldOnceNamingItAndWhatIsLost) {
    TempFolder folder;
    ToldWarnings told;
    const std::filesystem::path missing = folder.Path() / "Config" / "GameConfig.json";
    GameConfig config;
    config.LoadFrom(missing);
    EXPECT_EQ(config.DevelopmentContentPath, "");
    GameConfig present;
    present.LoadFrom(folder.Write("GameConfig.json", R"({ "DevelopmentContentPath": "ContentSrc" })"));

    ASSERT_EQ(told.Lines.size(), 1u) << ::testing::PrintToString(told.Lines);
    EXPECT_EQ(told.Naming(missing.generic_string() + ": not found", "no development content folder"), 1u)
        << told.Lines[0];
    EXPECT_EQ(told.Naming("no hot reload"), 1u) << told.Lines[0];
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
