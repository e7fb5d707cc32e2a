#include "render/DisplaySettings.h"

#include <boost/property_tree/ini_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <charconv>
#include <stdexcept>
#include <string>
#include <system_error>

#include "object/AtomicFile.h"
#include "object/ContentError.h"
#include "object/IniFile.h"
#include "platform/DebugPrint.h"
#include "platform/Paths.h"
#include "render/Graphics.h"

namespace {

constexpr const char* kFileName = "Display.ini";
// The renderer's own defaults, for a display that lists no modes.
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 720;

struct StoredSettings {
    int32_t Width = 0;
    int32_t Height = 0;
    bool Fullscreen = false;
};

int32_t ReadInteger(const boost::property_tree::ptree& tree, const char* key) {
    const std::string text = tree.get<std::string>(key);
    int32_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        throw std::runtime_error(std::string("\"") + key + "\" is not a whole number: \"" + text + "\"");
    }
    return value;
}

bool ReadFlag(const boost::property_tree::ptree& tree, const char* key) {
    const std::string text = tree.get<std::string>(key);
    if (text == "true" || text == "1") {
        return true;
    }
    if (text == "false" || text == "0") {
        return false;
    }
    throw std::runtime_error(std::string("\"") + key + "\" is neither true nor false: \"" + text + "\"");
}

// Throws boost's or our own exception describing what is wrong with the file.
StoredSettings ReadSettings(const std::filesystem::path& path) {
    const boost::property_tree::ptree tree = ReadIniFile(path);
    StoredSettings settings;
    settings.Width = ReadInteger(tree, "Width");
    settings.Height = ReadInteger(tree, "Height");
    settings.Fullscreen = ReadFlag(tree, "Fullscreen");
    if (settings.Width <= 0 || settings.Height <= 0) {
        throw std::runtime_error("the size " + std::to_string(settings.Width) + "x" + std::to_string(settings.Height) +
                                 " is not a window size");
    }
    return settings;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return status.type() != std::filesystem::file_type::not_found && status.type() != std::filesystem::file_type::none;
}

}  // namespace

std::filesystem::path DisplaySettings::GetPath() {
    return GetUserDataFolder() / kFileName;
}

bool DisplaySettings::Load(Graphics& graphics) {
    const std::filesystem::path path = GetPath();
    if (!FileExists(path)) {
        return false;
    }
    StoredSettings settings;
    std::string problem;
    try {
        settings = ReadSettings(path);
    } catch (const ContentError& error) {
        problem = error.Problem();
    } catch (const std::exception& error) {
        problem = error.what();
    }
    if (!problem.empty()) {
        DebugPrint((path.string() + ": " + problem + "; using the default display settings\n").c_str());
        return false;
    }
    graphics.Width = settings.Width;
    graphics.Height = settings.Height;
    graphics.Fullscreen = settings.Fullscreen ? 1 : 0;
    return true;
}

bool DisplaySettings::KeepToOfferedModes(Graphics& graphics, const DisplayModeSource& modes) {
    if (graphics.Width == kDefaultWidth && graphics.Height == kDefaultHeight) {
        return false;
    }
    std::vector<DisplayMode> offered;
    EnumerateDisplayModes(modes, offered);
    for (const DisplayMode& mode : offered) {
        if (mode.Width == graphics.Width && mode.Height == graphics.Height) {
            return false;
        }
    }
    DebugPrint((GetPath().string() + ": the size " + std::to_string(graphics.Width) + "x" +
                std::to_string(graphics.Height) + " is not one the display popup offers; using " +
                std::to_string(kDefaultWidth) + "x" + std::to_string(kDefaultHeight) + "\n")
                   .c_str());
    graphics.Width = kDefaultWidth;
    graphics.Height = kDefaultHeight;
    return true;
}

bool DisplaySettings::ClampToDisplay(Graphics& graphics, const DisplayModeSource& modes) {
    VideoMode largest{kDefaultWidth, kDefaultHeight, 0};
    bool listed = false;
    for (const VideoMode& mode : modes.ListModes()) {
        const int64_t area = int64_t{mode.Width} * mode.Height;
        if (mode.Width > 0 && mode.Height > 0 && (!listed || area > int64_t{largest.Width} * largest.Height)) {
            largest = mode;
            listed = true;
        }
    }
    if (graphics.Width <= largest.Width && graphics.Height <= largest.Height) {
        return false;
    }
    DebugPrint((GetPath().string() + ": the window " + std::to_string(graphics.Width) + "x" +
                std::to_string(graphics.Height) + " is larger than the display's largest mode; using " +
                std::to_string(largest.Width) + "x" + std::to_string(largest.Height) + "\n")
                   .c_str());
    graphics.Width = largest.Width;
    graphics.Height = largest.Height;
    return true;
}

bool DisplaySettings::Save(const Graphics& graphics, std::string* problem) {
    const std::filesystem::path path = GetPath();
    boost::property_tree::ptree tree;
    tree.put("Width", graphics.Width);
    tree.put("Height", graphics.Height);
    tree.put("Fullscreen", graphics.Fullscreen != 0);
    try {
        std::filesystem::create_directories(path.parent_path());
        WriteFileAtomically(path,
                            [&tree](std::ostream& out) { boost::property_tree::ini_parser::write_ini(out, tree); });
    } catch (const std::exception& error) {
        if (problem != nullptr) {
            *problem = path.string() + ": cannot write the display settings: " + error.what();
        }
        return false;
    }
    return true;
}

bool IsOfferedDisplayMode(const VideoMode& mode) {
    if (mode.RefreshRate != 60 || mode.Width < 640 || mode.Height <= 0) {
        return false;
    }
    if (mode.Width >= 1400 && mode.Width < 1920) {
        return false;
    }
    const float aspect = static_cast<float>(mode.Width) / static_cast<float>(mode.Height);
    return aspect >= 1.5f && aspect <= 2.0f;
}

void EnumerateDisplayModes(const DisplayModeSource& source, std::vector<DisplayMode>& out) {
    for (const VideoMode& mode : source.ListModes()) {
        if (IsOfferedDisplayMode(mode)) {
            out.push_back({mode.Width, mode.Height, true});
        }
    }
}

void EnumerateDisplayModes(std::vector<DisplayMode>& out) {
    EnumerateDisplayModes(SystemDisplayModes(), out);
}
