// "Display.ini" as the renderer reads it at construction (and rewrites when unusable).
#include <stdexcept>

#include "FuzzSupport.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFolder();  // points the user data folder at it
    const std::filesystem::path path = DisplaySettings::GetPath();
    std::filesystem::create_directories(path.parent_path());
    WriteFuzzFile(std::filesystem::relative(path, FuzzFolder()).string(), InputText(data, size));
    try {
        Graphics graphics;
    } catch (const std::runtime_error&) {
    }
    return 0;
}
