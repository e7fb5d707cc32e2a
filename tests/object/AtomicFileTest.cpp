#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "object/AtomicFile.h"
#include "object/ContentError.h"
#include "object/TempFolder.h"

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    std::filesystem::path Temporary() const {
        std::filesystem::path temporary = mFile;
        return temporary += ".tmp";
    }

    TempFolder mFolder;
    const std::filesystem::path mFile = mFolder.Write("Settings.txt", "old");
};

}  // namespace

TEST_F(AtomicFileTest, TheFileIsReplacedWholeAndNoTemporaryFileStays) {
    WriteFileAtomically(mFile, [](std::ostream& out) { out << "new\n" << 42; });
    EXPECT_EQ(TempFolder::Read(mFile), "new\n42");
    EXPECT_FALSE(std::filesystem::exists(Temporary()));

    const std::filesystem::path fresh = mFolder.Path() / "Fresh.txt";
    WriteFileAtomically(fresh, [](std::ostream& out) { out << "first"; });
    EXPECT_EQ(TempFolder::Read(fresh), "first");
}

// A writer failing half way (a crash stands for the same) leaves the old file whole.
TEST_F(AtomicFileTest, AWriterThatFailsLeavesTheOldFileAndNoTemporaryFile) {
    const auto failing = [](std::ostream& out) {
        out << "half";
        throw std::runtime_error("disk trouble");
    };
    EXPECT_THROW(WriteFileAtomically(mFile, failing), std::runtime_error);
    EXPECT_EQ(TempFolder::Read(mFile), "old");
    EXPECT_FALSE(std::filesystem::exists(Temporary()));
}

TEST_F(AtomicFileTest, AFileThatCannotBeWrittenIsNamedAndKept) {
    // A folder where the temporary file would go: it cannot be opened for writing.
    std::filesystem::create_directory(Temporary());
    try {
        WriteFileAtomically(mFile, [](std::ostream& out) { out << "new"; });
        FAIL() << "the write was reported done";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), mFile);
        EXPECT_NE(std::string(error.what()).find("cannot open"), std::string::npos) << error.what();
    }
    EXPECT_EQ(TempFolder::Read(mFile), "old");

    // The file itself a folder: the finished temporary file cannot take its place.
    std::filesystem::remove(Temporary());
    const std::filesystem::path folder = mFolder.Path() / "Taken";
    std::filesystem::create_directories(folder / "inside");
    EXPECT_THROW(WriteFileAtomically(folder, [](std::ostream& out) { out << "new"; }), ContentError);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "inside"));
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "Taken.tmp"));
}

namespace {

// What each sync saw: the path synced and the target file's text at that moment.
struct SyncRecord {
    std::filesystem::path Path;
    std::string TargetText;
};

std::vector<SyncRecord> gSyncs;
std::filesystem::path gSyncTarget;
bool gSyncFails = false;

int RecordingSync(int descriptor) {
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(descriptor));
    gSyncs.push_back({path, TempFolder::Read(gSyncTarget)});
    if (gSyncFails) {
        errno = EIO;
        return -1;
    }
    return fsync(descriptor);
}

class AtomicFileSyncTest : public AtomicFileTest {
protected:
    AtomicFileSyncTest() {
        gSyncs.clear();
        gSyncTarget = mFile;
        gSyncFails = false;
        mSaved = gSyncToDisk;
        gSyncToDisk = RecordingSync;
    }
    ~AtomicFileSyncTest() override { gSyncToDisk = mSaved; }

    int (*mSaved)(int) = nullptr;
};

}  // namespace

// Before, neither was synced: a power cut could leave the new name on an empty file.
TEST_F(AtomicFileSyncTest, TheTemporaryFileIsSyncedBeforeTheRenameAndTheFolderAfter) {
    WriteFileAtomically(mFile, [](std::ostream& out) { out << "new"; });
    ASSERT_EQ(gSyncs.size(), 2u);
    EXPECT_EQ(gSyncs[0].Path, std::filesystem::canonical(Temporary().parent_path()) / Temporary().filename());
    EXPECT_EQ(gSyncs[0].TargetText, "old") << "synced before the rename";
    EXPECT_EQ(gSyncs[1].Path, std::filesystem::canonical(mFolder.Path()));
    EXPECT_EQ(gSyncs[1].TargetText, "new") << "the folder synced after the rename";
}

TEST_F(AtomicFileSyncTest, AFailedSyncIsReportedAndKeepsTheOldFile) {
    gSyncFails = true;
    try {
        WriteFileAtomically(mFile, [](std::ostream& out) { out << "new"; });
        FAIL() << "the write was reported done";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), mFile);
        EXPECT_NE(std::string(error.what()).find("to the disk"), std::string::npos) << error.what();
    }
    EXPECT_EQ(TempFolder::Read(mFile), "old");
    EXPECT_FALSE(std::filesystem::exists(Temporary()));
}
