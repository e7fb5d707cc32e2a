#include <filesystem>
#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "object/Pos2dCmp.h"

namespace {

const char* const kEmptyPrefab = R"({ "Components": "", "AutoCreate": "" })";

class PrefabManagerTest : public PrefabFixture {};

std::vector<std::string> PrefabNames(const PrefabManager& manager) {
    std::vector<std::string> names;
    for (const auto& entry : manager.Prefabs) {
        names.push_back(entry.first);
    }
    return names;
}

TEST_F(PrefabManagerTest, TheDevelopmentPrefabFolderIsUsedOnlyWhenItExists) {
    EXPECT_EQ(Manager.GetPrefabFolder(), PrefabFolder());
    Config.DevelopmentContentPath = (Folder.Path() / "Elsewhere").string();
    EXPECT_EQ(Manager.GetPrefabFolder(), std::filesystem::path("Content/Prefabs"));
    Config.DevelopmentContentPath.clear();
    EXPECT_EQ(Manager.GetPrefabFolder(), std::filesystem::path("Content/Prefabs"));
    gGameConfig = nullptr;
    EXPECT_EQ(Manager.GetPrefabFolder(), std::filesystem::path("Content/Prefabs"));
}

TEST_F(PrefabManagerTest, InitLoadsEveryJsonFileOfTheFolderByItsStem) {
    WritePrefab("Alpha", kEmptyPrefab);
    Folder.Write("Prefabs/Beta.JSON", kEmptyPrefab);
    Folder.Write("Prefabs/notes.txt", "not a prefab");
    Folder.Write("Prefabs/Sub/Gamma.json", kEmptyPrefab);
    Init();
    EXPECT_EQ(PrefabNames(Manager), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(Manager.FindPrefab("Beta")->Name, "Beta");
    EXPECT_FALSE(Manager.FindPrefab("Alpha")->Modified);
}

TEST_F(PrefabManagerTest, TwoFilesForOnePrefabAreAnError) {
    WritePrefab("Twice", kEmptyPrefab);
    Folder.Write("Prefabs/Twice.Json", kEmptyPrefab);
    EXPECT_NE(ContentErrorOf([this] { Init(); }).find("a second file for prefab 'Twice'"), std::string::npos);
}

TEST_F(PrefabManagerTest, APrefabFolderThatCannotBeListedIsAnErrorNamingIt) {
    std::filesystem::remove_all(PrefabFolder());
    Folder.Write("Prefabs", "a file where the folder should be");
    const std::string error = ContentErrorOf([this] { Init(); });
    EXPECT_EQ(error.rfind(PrefabFolder().generic_string() + ": cannot list the prefab folder: ", 0), 0u) << error;
}

TEST_F(PrefabManagerTest, TheRegistryHoldsOneDefaultInstancePerTypeAndAnswersNames) {
    Init();
    ASSERT_EQ(Manager.DefaultInstances.size(), Manager.ComponentTypes.size());
    for (const auto& [name, instance] : Manager.DefaultInstances) {
        EXPECT_EQ(*instance->Type, *Manager.ComponentTypes.at(name).Type) << name;
        // A PrefabComponent answers with the type it describes, here none.
        EXPECT_EQ(Manager.GetComponentTypeName(instance.get()), name == "PrefabComponent" ? "" : name);
    }
    EXPECT_EQ(Manager.FindComponentType("pos2dcmp"), nullptr);
    EXPECT_EQ(Manager.FindComponentType("Component"), nullptr);

    PrefabComponent entry;
    entry.TypeName = "SpriteCmp";
    EXPECT_EQ(Manager.GetComponentTypeName(&entry), "SpriteCmp");
    Pos2dCmp madeWithoutCreator;
    EXPECT_EQ(Manager.GetComponentTypeName(&madeWithoutCreator), "");
}

TEST_F(PrefabManagerTest, CreateAndAttachMakesARegisteredComponent) {
    Init();
    GameObject object;
    IEditable* made = Manager.CreateAndAttach("Pos2dCmp", &object, "file");
    EXPECT_EQ(object.Pos2d, made);
    EXPECT_EQ(*made->Type, typeid(Pos2dCmp));
    EXPECT_EQ(ContentErrorOf([&] { Manager.CreateAndAttach("Nope", &object, "file"); }),
              "file: component type 'Nope' is not registered");
    EXPECT_EQ(object.Components.size(), 1u);
}

TEST_F(PrefabManagerTest, SavingDeletesTheFilesOfRemovedAndRenamedPrefabsOnly) {
    WritePrefab("Kept", kEmptyPrefab);
    WritePrefab("Removed", kEmptyPrefab);
    WritePrefab("Renamed", kEmptyPrefab);
    Folder.Write("Prefabs/Shouty.JSON", kEmptyPrefab);
    Init();
    // Written by someone else after start-up: this run never knew it.
    WritePrefab("Stranger", kEmptyPrefab);

    Manager.Prefabs.erase("Removed");
    Manager.Prefabs.erase("Shouty");
    ASSERT_TRUE(Manager.FindPrefab("Renamed")->MakeNameUnique("NewName"));
    Manager.SaveModifiedPrefabs();

    EXPECT_TRUE(PrefabFileExists("Kept"));
    EXPECT_TRUE(PrefabFileExists("Stranger"));
    EXPECT_TRUE(PrefabFileExists("NewName"));
    EXPECT_FALSE(PrefabFileExists("Removed"));
    EXPECT_FALSE(PrefabFileExists("Renamed"));
    EXPECT_FALSE(std::filesystem::exists(PrefabFolder() / "Shouty.JSON"));
    EXPECT_FALSE(Manager.FindPrefab("NewName")->Modified);
}

TEST_F(PrefabManagerTest, APrefabSavedAndThenRemovedLosesItsFileAtTheNextSave) {
    Init();
    Manager.AddPrefab(std::make_unique<Prefab>(), "Brief");
    Manager.SaveModifiedPrefabs();
    ASSERT_TRUE(PrefabFileExists("Brief"));
    Manager.Prefabs.erase("Brief");
    Manager.SaveModifiedPrefabs();
    EXPECT_FALSE(PrefabFileExists("Brief"));
}

// A non-empty folder where a prefab file should be: writing onto it and deleting it
// both fail, whoever runs the tests.
void BlockWithFolder(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    std::filesystem::create_directories(file / "occupied");
}

TEST_F(PrefabManagerTest, ARenamedPrefabThatCannotBeWrittenKeepsItsOldFile) {
    WritePrefab("Original", kEmptyPrefab);
    WritePrefab("Zeta", kEmptyPrefab);
    Init();
    ASSERT_TRUE(Manager.FindPrefab("Original")->MakeNameUnique("Blocked"));
    Manager.FindPrefab("Zeta")->Modified = true;
    BlockWithFolder(PrefabFolder() / "Blocked.json");

    const std::string error = ContentErrorOf([this] { Manager.SaveModifiedPrefabs(); });
    EXPECT_EQ(error.rfind((PrefabFolder() / "Blocked.json").generic_string() + ": ", 0), 0u) << error;
    EXPECT_TRUE(PrefabFileExists("Original"));
    EXPECT_TRUE(Manager.FindPrefab("Blocked")->Modified);
    // One failure does not keep the others unsaved.
    EXPECT_NE(ReadPrefab("Zeta"), kEmptyPrefab);
    EXPECT_FALSE(Manager.FindPrefab("Zeta")->Modified);

    // Once the way is clear the next save writes the new file and drops the old one.
    std::filesystem::remove_all(PrefabFolder() / "Blocked.json");
    Manager.SaveModifiedPrefabs();
    EXPECT_TRUE(PrefabFileExists("Blocked"));
    EXPECT_FALSE(PrefabFileExists("Original"));
}

TEST_F(PrefabManagerTest, StaleFilesThatCannotBeDeletedAreReportedAfterTheRest) {
    for (const char* name : {"Gone", "StuckA", "StuckB", "Vanished"}) {
        WritePrefab(name, kEmptyPrefab);
    }
    Init();
    Manager.Prefabs.clear();
    BlockWithFolder(PrefabFolder() / "StuckA.json");
    BlockWithFolder(PrefabFolder() / "StuckB.json");

    const std::string error = ContentErrorOf([this] { Manager.SaveModifiedPrefabs(); });
    EXPECT_EQ(
        error.rfind((PrefabFolder() / "StuckA.json").generic_string() + ": cannot delete the stale prefab file", 0), 0u)
        << error;
    EXPECT_NE(error.find((PrefabFolder() / "StuckB.json").generic_string()), std::string::npos) << error;
    EXPECT_FALSE(PrefabFileExists("Gone"));
    EXPECT_FALSE(PrefabFileExists("Vanished"));

    // The files that stayed are still owed a deletion.
    std::filesystem::remove_all(PrefabFolder() / "StuckA.json");
    WritePrefab("StuckA", kEmptyPrefab);
    std::filesystem::remove_all(PrefabFolder() / "StuckB.json");
    Manager.SaveModifiedPrefabs();
    EXPECT_FALSE(PrefabFileExists("StuckA"));
}

TEST_F(PrefabManagerTest, OnlyModifiedPrefabsAreWritten) {
    WritePrefab("Untouched", R"({"Components":"","AutoCreate":""})");
    WritePrefab("Touched", kEmptyPrefab);
    Init();
    Manager.FindPrefab("Touched")->Modified = true;
    Manager.SaveModifiedPrefabs();
    EXPECT_EQ(ReadPrefab("Untouched"), R"({"Components":"","AutoCreate":""})");
    EXPECT_NE(ReadPrefab("Touched"), kEmptyPrefab);
}

TEST_F(PrefabManagerTest, AnUppercaseExtensionFileIsReplacedNotDoubledWhenSaved) {
    Folder.Write("Prefabs/Loud.JSON", kEmptyPrefab);
    Init();
    Manager.FindPrefab("Loud")->Save();
    EXPECT_TRUE(PrefabFileExists("Loud"));
    EXPECT_FALSE(std::filesystem::exists(PrefabFolder() / "Loud.JSON"));
}

}  // namespace
