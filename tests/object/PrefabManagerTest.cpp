#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "object/AtomicFile.h"
#include "object/ContentWarning.h"
#include "object/Pos2dCmp.h"
#include "object/SaveJournal.h"
#include "object/ScopedFifo.h"

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

// The first renamed to a spare name, the second to the first's, the first to the
// second's: their files must trade texts at the next save.
void SwapNames(Prefab* first, Prefab* second) {
    ASSERT_TRUE(first != nullptr && second != nullptr);
    const std::string firstName = first->Name;
    const std::string secondName = second->Name;
    ASSERT_TRUE(first->MakeNameUnique("Spare"));
    ASSERT_TRUE(second->MakeNameUnique(firstName));
    ASSERT_TRUE(first->MakeNameUnique(secondName));
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

// Each regular file of the folder by name, with its text.
std::map<std::string, std::string> FolderFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = TempFolder::Read(entry.path());
        }
    }
    return files;
}

// The file steps (each sync of a file or folder, each rename, each deletion) a child
// process makes before it is killed in the next one.
int gStepsBeforeKill = 0;

void KillAtThisStep() {
    if (gStepsBeforeKill-- == 0) {
        raise(SIGKILL);
    }
}

int KillingSync(int descriptor) {
    KillAtThisStep();
    return fsync(descriptor);
}

int KillingRename(const char* from, const char* to) {
    KillAtThisStep();
    return std::rename(from, to);
}

int KillingRemove(const char* file) {
    KillAtThisStep();
    return std::remove(file);
}

// Runs work in a child process killed before its file step number kill (-1: never);
// whether it was killed. Otherwise work must run to its end without an exception.
bool RunKilledAtStep(int kill, const std::function<void()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        gStepsBeforeKill = kill;
        gSyncToDisk = KillingSync;
        gRenameFile = KillingRename;
        gRemoveFile = KillingRemove;
        try {
            work();
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
        return true;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    return false;
}

// One start of the game over the prefab folder, as the program makes it: the recovery
// it runs, then the loading. The loaded prefabs by name, each with its "Label" ("" for
// none); told gets the lines the start tells.
std::map<std::string, std::string> StartOver(std::vector<std::string>& told) {
    PrefabManager* const running = gPrefabManager;
    std::map<std::string, std::string> labels;
    {
        PrefabManager started;
        gPrefabManager = &started;
        SetContentWarningListener([&told](const std::string& text) { told.push_back(text); });
        try {
            started.Init(RegisterTestComponentTypes);
        } catch (const ContentError& error) {
            ADD_FAILURE() << "the start failed: " << error.what();
        }
        SetContentWarningListener({});
        for (const auto& [name, prefab] : started.Prefabs) {
            std::string& label = labels[name];
            for (const auto& component : prefab->Components) {
                if (const auto holder = component->Properties.find("Label"); holder != component->Properties.end()) {
                    label = PropertyToText(holder->second->MakeSubProperties("Label").front());
                }
            }
        }
    }
    gPrefabManager = running;
    return labels;
}

void ReplaceFolderFiles(const std::filesystem::path& folder, const std::map<std::string, std::string>& files) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const auto& [file, text] : files) {
        std::ofstream(folder / file, std::ios::binary) << text;
    }
}

// Two prefabs swap names through a spare one, and a removed prefab's file is owed a
// deletion. "Save all" runs in a child process killed before each of its file steps in
// turn; one start follows, itself killed before each of its own steps in turn and then
// followed by one more. Each start sees the whole set of prefabs as it was or as saved,
// and leaves no temporary file and no journal.
TEST_F(PrefabManagerTest, SaveAllKilledBetweenAnyTwoStepsIsWholeAfterTheNextStart) {
    const std::map<std::string, std::string> before = {
        {"Cue_EnemyDie.json", R"({"Components":{"SampleCmp":{"Label":"enemy die"}},"AutoCreate":""})"},
        {"Cue_DebugBlip.json", R"({"Components":{"SampleCmp":{"Label":"debug blip"}},"AutoCreate":""})"},
        {"ScratchP.json", kEmptyPrefab},
    };
    const std::map<std::string, std::string> loadedBefore = {
        {"Cue_DebugBlip", "debug blip"}, {"Cue_EnemyDie", "enemy die"}, {"ScratchP", ""}};
    const std::map<std::string, std::string> loadedSaved = {{"Cue_DebugBlip", "enemy die"},
                                                            {"Cue_EnemyDie", "debug blip"}};
    ReplaceFolderFiles(PrefabFolder(), before);
    Init();
    ASSERT_NO_FATAL_FAILURE(SwapNames(Manager.FindPrefab("Cue_EnemyDie"), Manager.FindPrefab("Cue_DebugBlip")));
    ASSERT_TRUE(Manager.RemovePrefab("ScratchP"));
    const auto saveAll = [this] { Manager.SaveModifiedPrefabs(); };
    const std::string finished =
        Manager.GetPrefabFolder().generic_string() + ": finished a save of 3 prefabs that was cut short";

    ASSERT_FALSE(RunKilledAtStep(-1, saveAll));
    const std::map<std::string, std::string> saved = FolderFiles(PrefabFolder());
    ASSERT_EQ(saved.size(), 2u) << "the removed prefab's file went, and no temporary file stayed";
    std::vector<std::string> told;
    ASSERT_EQ(StartOver(told), loadedSaved);

    int cutBeforeJournal = 0;
    int cutAfterJournal = 0;
    for (int kill = 0;; ++kill) {
        SCOPED_TRACE("save killed before step " + std::to_string(kill));
        ReplaceFolderFiles(PrefabFolder(), before);
        if (!RunKilledAtStep(kill, saveAll)) {
            EXPECT_EQ(FolderFiles(PrefabFolder()), saved);
            break;
        }
        const std::map<std::string, std::string> cut = FolderFiles(PrefabFolder());
        const bool journaled = cut.count(SaveJournal::FileName) != 0;
        // Killed once the journal is gone: the save is whole already.
        const bool committed = journaled || cut == saved;
        ++(journaled ? cutAfterJournal : cutBeforeJournal);
        for (int startKill = -1;; ++startKill) {
            SCOPED_TRACE("start killed before step " + std::to_string(startKill));
            ReplaceFolderFiles(PrefabFolder(), cut);
            const bool startCut = startKill >= 0 && RunKilledAtStep(startKill, [&told] { StartOver(told); });
            told.clear();
            EXPECT_EQ(StartOver(told), committed ? loadedSaved : loadedBefore);
            EXPECT_EQ(FolderFiles(PrefabFolder()), committed ? saved : before);
            if (startKill == -1) {
                EXPECT_EQ(told, journaled ? std::vector<std::string>{finished} : std::vector<std::string>{});
            }
            if (startKill >= 0 && !startCut) {
                break;
            }
        }
    }
    // Before the journal: two files synced, the journal's own file synced and renamed.
    // After it: the folder synced, two renames, a deletion, the folder synced again.
    EXPECT_GE(cutBeforeJournal, 4);
    EXPECT_GE(cutAfterJournal, 5);
}

// A journal that cannot be read is told, naming it and the problem, and loses nothing:
// the temporary files it may name stay, and no save replaces them while it stands.
TEST_F(PrefabManagerTest, AMalformedJournalIsToldAndKeptWithEveryTemporaryFile) {
    const std::string onlyCopy = R"({"Components":{"SampleCmp":{"Label":"debug blip"}},"AutoCreate":""})";
    const std::string put = "Cue_DebugBlip.json";
    WritePrefab("Cue_EnemyDie", kEmptyPrefab);
    const std::filesystem::path temporary = Folder.Write("Prefabs/" + put + ".tmp", onlyCopy);
    const std::string text = "Quorvane prefab save journal 1\nput " + std::to_string(put.size()) + " " + put +
                             "\nmove 14 Cue_Other.json\nend\n";
    const std::filesystem::path journal = Folder.Write(std::string("Prefabs/") + SaveJournal::FileName, text);
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& line) { told.push_back(line); });
    Init();
    SetContentWarningListener({});
    EXPECT_EQ(told, std::vector<std::string>{journal.generic_string() +
                                             ": entry 2: the step \"move\" is neither \"put\" nor \"delete\"; it is "
                                             "kept with every temporary file of the folder"});

    Manager.AddPrefab(std::make_unique<Prefab>(), "Cue_DebugBlip");
    const std::string error = ContentErrorOf([this] { Manager.SaveModifiedPrefabs(); });
    EXPECT_EQ(error.rfind(journal.generic_string() + ": an earlier save cannot be finished: entry 2:", 0), 0u) << error;
    EXPECT_NE(ContentErrorOf([this] { Manager.FindPrefab("Cue_EnemyDie")->Save(); }), "");
    EXPECT_EQ(TempFolder::Read(temporary), onlyCopy);
    EXPECT_EQ(TempFolder::Read(journal), text);
    EXPECT_FALSE(PrefabFileExists("Cue_DebugBlip"));
}

// A save stages regular files only. One of a journal's temporary files that is anything
// else at the next start (a link, dangling or to a folder or a file outside, a FIFO, a
// folder) holds no text of its prefab: it is told, naming it, and the prefab's file is
// kept as it is, while the journal's other files are put in place. What a link points
// at is left alone.
TEST_F(PrefabManagerTest, AJournalPutsInPlaceOnlyTemporaryFilesThatAreFiles) {
    namespace fs = std::filesystem;
    const std::string exit = R"({"Components":{"SampleCmp":{"Label":"exit"}},"AutoCreate":""})";
    const std::string saved = R"({"Components":{"SampleCmp":{"Label":"saved"}},"AutoCreate":""})";
    const std::string journal =
        "Quorvane prefab save journal 1\nput 17 Cue_EnemyDie.json\nput 9 Exit.json\nend\n";
    const TempFolder outside;
    const fs::path other = outside.Write("Other.json", saved);
    const fs::path temporary = PrefabFolder() / "Exit.json.tmp";
    std::unique_ptr<ScopedFifo> fifo;
    struct Stray {
        const char* Kind;
        std::function<void()> Place;
    };
    const Stray strays[] = {
        {"a symbolic link", [&] { fs::create_symlink(outside.Path() / "Gone.json", temporary); }},
        {"a symbolic link", [&] { fs::create_directory_symlink(outside.Path(), temporary); }},
        {"a symbolic link", [&] { fs::create_symlink(other, temporary); }},
        {"a FIFO", [&] { fifo = std::make_unique<ScopedFifo>(temporary); }},
        {"a folder", [&] { fs::create_directory(temporary); }},
    };
    for (const Stray& stray : strays) {
        SCOPED_TRACE(stray.Kind);
        ReplaceFolderFiles(PrefabFolder(), {{"Exit.json", exit},
                                            {"Cue_EnemyDie.json", kEmptyPrefab},
                                            {"Cue_EnemyDie.json.tmp", saved},
                                            {SaveJournal::FileName, journal}});
        stray.Place();
        std::vector<std::string> told;
        const std::map<std::string, std::string> labels = StartOver(told);
        fifo.reset();
        EXPECT_EQ(labels, (std::map<std::string, std::string>{{"Cue_EnemyDie", "saved"}, {"Exit", "exit"}}));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(PrefabFolder() / "Exit.json")));
        ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(told);
        EXPECT_NE(told[0].find((PrefabFolder() / "Exit.json").generic_string() + ": its staged text '" +
                               temporary.generic_string() + "' is " + stray.Kind +
                               ", not a regular file; the prefab's file is kept as it is"),
                  std::string::npos)
            << told[0];
        EXPECT_EQ(told[0].rfind((PrefabFolder() / SaveJournal::FileName).generic_string() + ": ", 0), 0u) << told[0];
        EXPECT_EQ(TempFolder::Read(other), saved);
        EXPECT_EQ(std::distance(fs::directory_iterator(outside.Path()), fs::directory_iterator()), 1);
    }
}

// A prefab whose file cannot be written or put in place keeps its old text on disk:
// the prefab renamed onto its old name does not replace that file, or, when it already
// has, the new text stays in the temporary file.
TEST_F(PrefabManagerTest, AFailedSaveReplacesNoFileThatHoldsTheOnlyCopyOfAPrefab) {
    const std::string enemyDie = R"({"Components":{"SampleCmp":{"Label":"enemy die"}},"AutoCreate":""})";
    const std::string debugBlip = R"({"Components":{"SampleCmp":{"Label":"debug blip"}},"AutoCreate":""})";
    WritePrefab("Cue_EnemyDie", enemyDie);
    WritePrefab("Cue_DebugBlip", debugBlip);
    WritePrefab("Old", R"({"Components":{"SampleCmp":{"Label":"old"}},"AutoCreate":""})");
    WritePrefab("Dee", kEmptyPrefab);
    Init();
    Prefab* first = Manager.FindPrefab("Cue_EnemyDie");
    Prefab* second = Manager.FindPrefab("Cue_DebugBlip");
    ASSERT_NO_FATAL_FAILURE(SwapNames(first, second));
    BlockWithFolder(PrefabFolder() / "Cue_DebugBlip.json.tmp");

    const std::string error = ContentErrorOf([this] { Manager.SaveModifiedPrefabs(); });
    EXPECT_EQ(error.rfind((PrefabFolder() / "Cue_DebugBlip.json").generic_string() + ": cannot open", 0), 0u) << error;
    EXPECT_NE(error.find((PrefabFolder() / "Cue_EnemyDie.json").generic_string() +
                         ": not written: it still holds the prefab now named 'Cue_DebugBlip'"),
              std::string::npos)
        << error;
    EXPECT_EQ(ReadPrefab("Cue_EnemyDie"), enemyDie);
    EXPECT_EQ(ReadPrefab("Cue_DebugBlip"), debugBlip);
    EXPECT_TRUE(first->Modified && second->Modified);

    std::filesystem::remove_all(PrefabFolder() / "Cue_DebugBlip.json.tmp");
    Manager.SaveModifiedPrefabs();
    EXPECT_NE(ReadPrefab("Cue_DebugBlip").find("enemy die"), std::string::npos);
    EXPECT_NE(ReadPrefab("Cue_EnemyDie").find("debug blip"), std::string::npos);

    // "Old" moves to a name whose place is taken, after "Dee" has taken its old file.
    Prefab* old = Manager.FindPrefab("Old");
    ASSERT_TRUE(old->MakeNameUnique("Zblocked"));
    ASSERT_TRUE(Manager.FindPrefab("Dee")->MakeNameUnique("Old"));
    BlockWithFolder(PrefabFolder() / "Zblocked.json");
    const std::string kept = ContentErrorOf([this] { Manager.SaveModifiedPrefabs(); });
    const std::filesystem::path temporary = PrefabFolder() / "Zblocked.json.tmp";
    EXPECT_EQ(kept.rfind((PrefabFolder() / "Zblocked.json").generic_string() + ": cannot replace the file", 0), 0u)
        << kept;
    EXPECT_NE(kept.find("its text is kept in '" + temporary.generic_string() + "'"), std::string::npos) << kept;
    EXPECT_NE(TempFolder::Read(temporary).find("\"old\""), std::string::npos);
    EXPECT_TRUE(old->Modified);
}

}  // namespace
