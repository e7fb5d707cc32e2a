// A bitmap font description (".fnt"), its page stood in for, then laid out.
#include <stdexcept>
#include <string>

#include "FuzzSupport.h"
#include "assets/BitmapFont.h"
#include "assets/Texture.h"
#include "render/TextLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path path = WriteFuzzFile("Fonts/Main/Fuzz.fnt", InputText(data, size));
    BitmapFont font;
    try {
        font.Load(path, [](Texture& texture, const std::filesystem::path&) {
            texture.Width = 256.0f;
            texture.Height = 256.0f;
            return true;
        });
    } catch (const std::runtime_error&) {
        return 0;
    }
    TextStyle style;
    style.BoxSize = Vector2(3.0f, 4.0f);
    const TextLayout layout(font, "The quick  brown fox\njumps over 0123456789 {}", style);
    layout.ForEachGlyph(false, true, [](const GlyphQuad&) {});
    return 0;
}
