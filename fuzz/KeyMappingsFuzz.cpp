// The key mappings file, read into a fresh input manager.
#include <stdexcept>

#include "FuzzSupport.h"
#include "input/InputManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path path = WriteFuzzFile("Config/KeyMappings.json", InputText(data, size));
    InputManager input;
    try {
        input.LoadKeyMappings(path);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
