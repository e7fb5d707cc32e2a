#include "ContentTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "tools/ContentBuild.h"

namespace fs = std::filesystem;

namespace {

// Removes the generated folder after the program's last test.
class GeneratedContentEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        if (!Root().empty()) {
            std::error_code ignored;
            fs::remove_all(Root(), ignored);
        }
    }
    static fs::path& Root() {
        static fs::path root;
        return root;
    }
};

[[maybe_unused]] ::testing::Environment* const gGeneratedContentEnvironment =
    ::testing::AddGlobalTestEnvironment(new GeneratedContentEnvironment);

void CopyFolder(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace

fs::path CommittedContent() {
    const char* source = std::getenv("QV_SOURCE_DIR");
    return fs::path(source != nullptr ? source : ".") / "Content";
}

const fs::path& GeneratedContent() {
    fs::path& root = GeneratedContentEnvironment::Root();
    if (root.empty()) {
        const fs::path folder = fs::temp_directory_path() / ("qv_content_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        qv::tools::BuildContent(folder);
        for (const char* text : {"Prefabs", "Animations", "Config"}) {
            CopyFolder(CommittedContent() / text, folder / text);
        }
        root = folder;
    }
    return root;
}
