#include "object/SaveJournal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string_view>
#include <system_error>
#include <utility>

#include "object/AtomicFile.h"
#include "object/JsonFile.h"
#include "object/ReadableFile.h"

const char* const SaveJournal::FileName = "PrefabSave.journal";

namespace {

// The format: this line, then one line per step ("put" or "delete", the length of the
// file name, the file name), then "end". The length lets a name hold any byte.
const char* const kFirstLine = "Quorvane prefab save journal 1";
const char* const kPut = "put";
const char* const kDelete = "delete";
const char* const kEnd = "end";
// Far beyond any real save.
constexpr size_t kMaxBytes = 1 << 20;

// A journal may name only prefab files of its own folder: even a damaged one must not
// reach anything else.
bool IsPrefabFileName(const std::string& file) {
    return HasJsonExtension(std::filesystem::path(file)) && file.find('/') == std::string::npos &&
           file.find('\0') == std::string::npos;
}

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// What stands at the name when it is neither missing nor a regular file (the name
// itself, a link not followed): "a symbolic link", "a folder"; empty otherwise.
std::string NonFileKind(const std::filesystem::path& path) {
    std::error_code error;
    switch (std::filesystem::symlink_status(path, error).type()) {
        case std::filesystem::file_type::not_found:
        case std::filesystem::file_type::regular:
            return std::string();
        case std::filesystem::file_type::symlink:
            return "a symbolic link";
        case std::filesystem::file_type::directory:
            return "a folder";
        case std::filesystem::file_type::fifo:
            return "a FIFO";
        case std::filesystem::file_type::none:
            return "something whose status cannot be read (" + error.message() + ")";
        default:
            return "a device or a socket";
    }
}

// Reads the steps of a journal's text; the problem is empty when it is whole.
class JournalParser {
public:
    explicit JournalParser(std::string_view text) : mText(text) {}

    std::string Parse(std::vector<std::string>& puts, std::vector<std::string>& deletes) {
        if (Word('\n') != kFirstLine) {
            return std::string("its first line is not \"") + kFirstLine + "\"";
        }
        for (int entry = 1;; ++entry) {
            const std::string where = "entry " + std::to_string(entry) + ": ";
            if (mPos == mText.size()) {
                return std::string("it ends before its \"") + kEnd + "\" line";
            }
            const std::string_view step = Word(' ', '\n');
            if (step == kEnd && mText[mPos - 1] == '\n') {
                return mPos == mText.size() ? std::string() : "text follows its \"end\" line";
            }
            if (step != kPut && step != kDelete) {
                return where + "the step " + QuotedContent(step) + " is neither \"put\" nor \"delete\"";
            }
            std::string file;
            if (std::string problem = FileName(file); !problem.empty()) {
                return where + problem;
            }
            (step == kPut ? puts : deletes).push_back(file);
        }
    }

private:
    // The text up to the next stop (or the end), which is passed over.
    std::string_view Word(char stop, char otherStop = '\0') {
        const size_t start = mPos;
        while (mPos < mText.size() && mText[mPos] != stop && (otherStop == '\0' || mText[mPos] != otherStop)) {
            ++mPos;
        }
        const std::string_view word = mText.substr(start, mPos - start);
        mPos = std::min(mPos + 1, mText.size());
        return word;
    }

    std::string FileName(std::string& file) {
        const std::string_view digits = Word(' ');
        size_t length = 0;
        for (const char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || length > kMaxBytes) {
                return "the length " + QuotedContent(digits) + " is not a count of bytes";
            }
            length = length * 10 + static_cast<size_t>(c - '0');
        }
        if (digits.empty() || mPos + length >= mText.size() ||
            mText[mPos + length] != '\n') {
            return "the file name is cut short";
        }
        file = std::string(mText.substr(mPos, length));
        mPos += length + 1;
        if (!IsPrefabFileName(file)) {
            return "the file name " + QuotedContent(file) + " is not a prefab file's";
        }
        return std::string();
    }

    std::string_view mText;
    size_t mPos = 0;
};

}  // namespace

SaveJournal::SaveJournal(std::filesystem::path folder) : mFolder(std::move(folder)) {}

void SaveJournal::AddPut(const std::string& file) {
    mPuts.push_back(file);
}

void SaveJournal::AddDelete(const std::string& file) {
    mDeletes.push_back(file);
}

void SaveJournal::Commit() const {
    WriteFileAtomically(Path(), [this](std::ostream& out) {
        out << kFirstLine << '\n';
        for (const auto& [step, files] : {std::pair{kPut, &mPuts}, std::pair{kDelete, &mDeletes}}) {
            for (const std::string& file : *files) {
                out << step << ' ' << file.size() << ' ' << file << '\n';
            }
        }
        out << kEnd << '\n';
    });
}

bool SaveJournal::Stands() const {
    return Exists(Path());
}

SaveJournal::Outcome SaveJournal::CarryOut() const {
    Outcome outcome;
    for (const std::string& put : mPuts) {
        const std::filesystem::path file = mFolder / put;
        const std::filesystem::path temporary = TemporaryFileOf(file);
        // A save stages only regular files: a link or anything else at the name is no
        // text of a prefab, and put in place it would take the prefab's file away.
        if (const std::string kind = NonFileKind(temporary); !kind.empty()) {
            outcome.Failures.emplace_back(file, "its staged text '" + temporary.generic_string() + "' is " + kind +
                                                    ", not a regular file; the prefab's file is kept as it is");
            outcome.Undone.insert(put);
            continue;
        }
        // No temporary file: an earlier run put it in place already.
        if (gRenameFile(temporary.c_str(), file.c_str()) != 0 && errno != ENOENT) {
            outcome.Failures.emplace_back(file, std::string("cannot replace the file: ") + std::strerror(errno) +
                                                    "; its text is kept in '" + temporary.generic_string() + "'");
            outcome.Undone.insert(put);
        }
    }
    // A prefab whose new file is not in place may still need its old one.
    const bool allPut = outcome.Failures.empty();
    for (const std::string& stale : mDeletes) {
        const std::filesystem::path file = mFolder / stale;
        if (!allPut) {
            outcome.Undone.insert(stale);
            continue;
        }
        bool isPutFile = false;
        for (const std::string& put : mPuts) {
            // On a case-insensitive disk "Foo.json" of a prefab renamed to "foo" is
            // the file just put in place for it.
            std::error_code error;
            isPutFile = isPutFile || (std::filesystem::equivalent(file, mFolder / put, error) && !error);
        }
        if (!isPutFile && gRemoveFile(file.c_str()) != 0 && errno != ENOENT) {
            outcome.Failures.emplace_back(file,
                                          std::string("cannot delete the stale prefab file: ") + std::strerror(errno));
            outcome.Undone.insert(stale);
        }
    }
    // The journal goes only once what it records is on the disk, and its removal is
    // forced there too: a journal back after a power cut might take temporary files
    // of a later save for its own.
    std::string failure = SyncFolderToDisk(mFolder);
    if (allPut && failure.empty()) {
        if (gRemoveFile(Path().c_str()) != 0 && errno != ENOENT) {
            failure = std::string("cannot remove it: ") + std::strerror(errno);
        } else {
            failure = SyncFolderToDisk(mFolder);
        }
    }
    if (!failure.empty()) {
        outcome.Failures.emplace_back(Path(), failure);
    }
    return outcome;
}

std::optional<SaveJournal> SaveJournal::Read(const std::filesystem::path& folder) {
    SaveJournal journal(folder);
    const std::filesystem::path path = journal.Path();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (!std::filesystem::exists(status)) {
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw ContentError(path, "it is not a file");
    }
    ReadableFile file(path);
    std::string text;
    if (!file.ReadAll(text, kMaxBytes)) {
        throw ContentError(path, file.Problem());
    }
    if (const std::string problem = JournalParser(text).Parse(journal.mPuts, journal.mDeletes); !problem.empty()) {
        throw ContentError(path, problem);
    }
    return journal;
}
