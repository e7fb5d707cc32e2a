// A texture atlas (".xml" beside its ".sheet") read into a bank; the image itself is
// stood in for, since only the atlas is text a person edits.
#include <stdexcept>

#include "FuzzSupport.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("Textures/Bank/Fuzz_COL.sheet", "");
    WriteFuzzFile("Textures/Bank/Fuzz_COL.xml", InputText(data, size));
    TextureManager textures([](Texture& texture, const std::filesystem::path&) {
        texture.Width = 256.0f;
        texture.Height = 128.0f;
        return true;
    });
    textures.ContentFolder = FuzzFolder() / "Textures";
    try {
        textures.LoadBank("Bank");
        if (const Texture* texture = textures.GetTexture("Fuzz")) {
            for (const std::string& name : texture->FrameNames) {
                (void)texture->GetFrameIndex(name);
            }
        }
    } catch (const std::runtime_error&) {
    }
    return 0;
}
