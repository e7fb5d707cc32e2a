#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "object/ContentError.h"

// The last steps of a save of several prefab files: each staged temporary file
// ("<file>.tmp") renamed over its file, then the stale files deleted. It is written
// whole to the prefab folder once every temporary file is on disk and before the
// first rename, and it is the point of no return: a save cut short before it leaves
// every file as it was (the next start removes the temporary files), one cut short
// after it is finished by the next start. So a kill never leaves a prefab under two
// names or only in a temporary file.
class SaveJournal {
public:
    // The journal's name in the prefab folder.
    static const char* const FileName;

    // What carrying the journal out left undone.
    struct Outcome {
        // Each names its file.
        std::vector<ContentError> Failures;
        // The file names whose rename or deletion did not happen.
        std::set<std::string> Undone;
    };

    explicit SaveJournal(std::filesystem::path folder);

    // A file name in the folder whose temporary file is staged.
    void AddPut(const std::string& file);
    // A file name in the folder to delete once every file is in place.
    void AddDelete(const std::string& file);
    bool IsEmpty() const { return mPuts.empty() && mDeletes.empty(); }
    const std::vector<std::string>& Puts() const { return mPuts; }
    const std::vector<std::string>& Deletes() const { return mDeletes; }
    std::filesystem::path Path() const { return mFolder / FileName; }

    // Writes the journal atomically; ContentError naming it when that fails. Whether
    // the journal stands afterwards decides whether the save goes on (Stands).
    void Commit() const;
    bool Stands() const;
    // Renames each temporary file that is still there over its file; then, when every
    // rename took, deletes the stale files that are not one of the files put, forces
    // the folder to the disk and removes the journal. Running it again after a kill
    // does what is left. While a rename fails the journal stays, with the temporary
    // files it names, and no file is deleted.
    Outcome CarryOut() const;

    // The journal standing in folder; none when there is none. A malformed one raises
    // ContentError naming it and the problem.
    static std::optional<SaveJournal> Read(const std::filesystem::path& folder);

private:
    std::filesystem::path mFolder;
    std::vector<std::string> mPuts;
    std::vector<std::string> mDeletes;
};
