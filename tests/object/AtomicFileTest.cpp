#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "object/AtomicFile.h"
#include "object/ContentError.h"
#include "object/ScopedFifo.h"
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

// Whatever a save cut short or a hand left at the temporary file's name is removed and
// the temporary file made anew: a link is never written through (its target, inside
// the folder or outside it, is neither made nor changed), a FIFO never waited on, an
// empty folder not in the way. The file ends up a file of its own with the new text.
TEST_F(AtomicFileTest, WhateverStandsAtTheTemporaryNameIsReplacedNotWrittenThrough) {
    namespace fs = std::filesystem;
    const TempFolder outside;
    const fs::path victim = outside.Write("Victim.txt", "victim");
    const fs::path nowhere = outside.Path() / "Made.txt";
    struct Stray {
        const char* What;
        std::function<void()> Place;
    };
    std::unique_ptr<ScopedFifo> fifo;
    const Stray strays[] = {
        {"a file cut short", [this] { mFolder.Write("Settings.txt.tmp", "ha"); }},
        {"a dangling link", [&] { fs::create_symlink(nowhere, Temporary()); }},
        {"a link to a file", [&] { fs::create_symlink(victim, Temporary()); }},
        {"a link to a folder", [&] { fs::create_directory_symlink(outside.Path(), Temporary()); }},
        {"a FIFO", [&] { fifo = std::make_unique<ScopedFifo>(Temporary()); }},
        {"an empty folder", [this] { fs::create_directory(Temporary()); }},
    };
    for (const Stray& stray : strays) {
        SCOPED_TRACE(stray.What);
        for (const bool fileThere : {true, false}) {
            fs::remove(mFile);
            if (fileThere) {
                mFolder.Write("Settings.txt", "old");
            }
            stray.Place();
            EXPECT_NO_THROW(WriteFileAtomically(mFile, [](std::ostream& out) { out << "new"; }));
            fifo.reset();
            ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(mFile))) << "the file is a file of its own";
            EXPECT_EQ(TempFolder::Read(mFile), "new");
            EXPECT_FALSE(fs::exists(fs::symlink_status(Temporary())));
            EXPECT_EQ(TempFolder::Read(victim), "victim");
            EXPECT_FALSE(fs::exists(fs::symlink_status(nowhere)));
            EXPECT_EQ(std::distance(fs::directory_iterator(outside.Path()), fs::directory_iterator()), 1);
        }
    }
}

TEST_F(AtomicFileTest, AFileThatCannotBeWrittenIsNamedAndKept) {
    // A folder with something in it where the temporary file would go: it cannot be
    // removed, and so the temporary file cannot be made.
    std::filesystem::create_directories(Temporary() / "occupied");
    try {
        WriteFileAtomically(mFile, [](std::ostream& out) { out << "new"; });
        FAIL() << "the write was reported done";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), mFile);
        EXPECT_NE(std::string(error.what()).find("cannot open '" + Temporary().generic_string() +
                                                 "' for writing: what stands at its name cannot be removed"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(TempFolder::Read(mFile), "old");
    EXPECT_TRUE(std::filesystem::is_directory(Temporary() / "occupied")) << "nothing in it is removed";

    // The file itself a folder: the finished temporary file cannot take its place.
    std::filesystem::remove_all(Temporary());
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
