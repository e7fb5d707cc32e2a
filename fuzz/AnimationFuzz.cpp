// An animation file (".anim") read against a texture with a few named frames.
#include <sstream>
#include <stdexcept>
#include <string>

#include "FuzzSupport.h"
#include "assets/AnimationData.h"
#include "assets/Texture.h"

namespace {

Texture* Sprites() {
    static Texture* const texture = [] {
        auto* t = new Texture();
        t->Name = "Sprites";
        t->Width = 64.0f;
        t->Height = 16.0f;
        for (int i = 0; i < 4; ++i) {
            t->AddFrame("Ant_000" + std::to_string(i), AtlasFrame{16 * i, 0, 16, 16, 0, 0, 16, 16});
        }
        return t;
    }();
    return texture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in{std::string(InputText(data, size))};
    AnimationData animation;
    try {
        animation.Read(
            in, "Fuzz.anim", [](const std::string& name) { return name == "Sprites" ? Sprites() : nullptr; }, 60);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
