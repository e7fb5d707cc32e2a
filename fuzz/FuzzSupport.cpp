#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <stdexcept>

#include "app/Application.h"

namespace {

class OwnFolder {
public:
    OwnFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        Path = pattern;
        // Display.ini and other user data land here, never in the player's folder.
        setenv("XDG_DATA_HOME", (Path / "userdata").c_str(), 1);
    }
    ~OwnFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }

    std::filesystem::path Path;
};

}  // namespace

const std::filesystem::path& FuzzFolder() {
    static OwnFolder folder;
    return folder.Path;
}

std::filesystem::path WriteFuzzFile(const std::string& relative, std::string_view text) {
    const std::filesystem::path path = FuzzFolder() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
}

void EnsureHeadlessApplication() {
    FuzzFolder();
    setenv("ALSOFT_DRIVERS", "null", 0);
    // Reachable to the end: the fuzzer exits without unwinding.
    static Application* const application = new Application();
    (void)application;
}
