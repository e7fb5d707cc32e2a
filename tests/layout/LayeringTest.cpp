// Every source may include only from its own library and the libraries that library
// links, directly or through others. The build records what each library links; this
// reads that record and every source below each library's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Library {
    std::string Folder;  // relative to the project, e.g. "engine/render"
    std::vector<std::string> Links;
};

std::map<std::string, Library> ReadLayers() {
    std::map<std::string, Library> libraries;
    std::ifstream in(QV_LAYERS_FILE);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        std::string folder;
        std::string links;
        if (!(fields >> name >> folder)) {
            continue;
        }
        fields >> links;
        Library& library = libraries[name];
        library.Folder = folder;
        std::istringstream each(links);
        for (std::string link; std::getline(each, link, ',');) {
            library.Links.push_back(link);
        }
    }
    return libraries;
}

// The folder a library's headers are included by: "engine/render" -> "render".
std::string IncludePrefix(const std::string& folder) {
    return folder.rfind("engine/", 0) == 0 ? folder.substr(7) : folder;
}

void Reach(const std::map<std::string, Library>& libraries, const std::string& name, std::set<std::string>* seen) {
    if (!seen->insert(name).second) {
        return;
    }
    const auto found = libraries.find(name);
    if (found != libraries.end()) {
        for (const std::string& link : found->second.Links) {
            Reach(libraries, link, seen);
        }
    }
}

struct Include {
    fs::path File;
    int Line;
    std::string Path;
};

std::vector<Include> IncludesBelow(const fs::path& folder) {
    static const std::regex pattern(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> includes;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        std::smatch match;
        while (std::getline(in, line)) {
            ++number;
            if (std::regex_search(line, match, pattern)) {
                includes.push_back({entry.path(), number, match[1]});
            }
        }
    }
    return includes;
}

class LayeringTest : public ::testing::Test {
protected:
    void SetUp() override {
        mLibraries = ReadLayers();
        ASSERT_GE(mLibraries.size(), 10u) << "the build wrote no usable record at " << QV_LAYERS_FILE;
        for (const auto& [name, library] : mLibraries) {
            mOwnerOfPrefix[IncludePrefix(library.Folder)] = name;
        }
    }

    std::map<std::string, Library> mLibraries;
    std::map<std::string, std::string> mOwnerOfPrefix;
};

TEST_F(LayeringTest, EveryIncludeOfOursComesFromALinkedLibrary) {
    const fs::path project = QV_PROJECT_DIR;
    int checked = 0;
    for (const auto& [name, library] : mLibraries) {
        const fs::path folder = project / library.Folder;
        if (!fs::is_directory(folder)) {
            continue;
        }
        std::set<std::string> allowed;
        Reach(mLibraries, name, &allowed);
        for (const Include& include : IncludesBelow(folder)) {
            const size_t slash = include.Path.find('/');
            if (slash == std::string::npos) {
                continue;  // beside the file
            }
            const auto owner = mOwnerOfPrefix.find(include.Path.substr(0, slash));
            if (owner == mOwnerOfPrefix.end()) {
                continue;  // not one of our libraries
            }
            ++checked;
            EXPECT_TRUE(allowed.count(owner->second) != 0)
                << fs::relative(include.File, project).string() << ":" << include.Line << " includes \"" << include.Path
                << "\" of " << owner->second << ", which " << name << " does not link";
        }
    }
    EXPECT_GT(checked, 300) << "too few includes were seen for the check to mean anything";
}

TEST_F(LayeringTest, OnlyTheApplicationAndTheEntryIncludeTheApplication) {
    const fs::path project = QV_PROJECT_DIR;
    for (const char* folder : {"engine", "game", "editor", "program"}) {
        for (const Include& include : IncludesBelow(project / folder)) {
            if (include.Path != "app/Application.h") {
                continue;
            }
            const std::string file = fs::relative(include.File, project).string();
            const bool allowed = file.rfind("engine/app/", 0) == 0 || file == "program/Main.cpp";
            EXPECT_TRUE(allowed) << file << ":" << include.Line << " includes the application";
        }
    }
}

TEST(LayeringRecord, LowerLayersLinkNothingAbove) {
    // The record itself keeps the order: the object model stands alone, and no engine
    // library links the game, the editor or the program.
    const std::map<std::string, Library> libraries = ReadLayers();
    ASSERT_TRUE(libraries.count("qv_object"));
    EXPECT_TRUE(libraries.at("qv_object").Links.empty());
    for (const auto& [name, library] : libraries) {
        if (library.Folder.rfind("engine/", 0) != 0) {
            continue;
        }
        std::set<std::string> reached;
        Reach(libraries, name, &reached);
        for (const char* above : {"qv_game", "qv_editor", "qv_program"}) {
            EXPECT_EQ(reached.count(above), 0u) << name << " reaches " << above;
        }
    }
}

}  // namespace
