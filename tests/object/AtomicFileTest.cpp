#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

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
