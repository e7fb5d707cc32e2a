#include "tools/art/FrameFactory.h"

namespace qv::tools {

AtlasFrame LitFrame(std::string name, int width, int height, const DrawFunction& draw, float shading) {
    SpriteCanvas canvas(width, height);
    draw(canvas);
    canvas.BakeShading(shading);
    return {std::move(name), canvas.ColourImage(), canvas.NormalImage(), canvas.SpecularImage(), true};
}

AtlasFrame UnlitFrame(std::string name, int width, int height, const DrawFunction& draw, float shading) {
    SpriteCanvas canvas(width, height);
    draw(canvas);
    if (shading > 0)
        canvas.BakeShading(shading);
    return {std::move(name), canvas.ColourImage(), {}, {}, true};
}

AtlasFrame SolidWhiteFrame(bool lit) {
    constexpr int kSide = 4;
    Image8 white(kSide, kSide);
    for (std::uint8_t& byte : white.Pixels)
        byte = 255;
    AtlasFrame frame{"1PixelWhite", white, {}, {}, false};
    if (lit) {
        frame.Normal = Image8(kSide, kSide);
        frame.Specular = Image8(kSide, kSide);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                std::uint8_t* n = frame.Normal.At(x, y);
                n[0] = 128, n[1] = 128, n[2] = 255, n[3] = 255;
                frame.Specular.At(x, y)[3] = 255;
            }
        }
    }
    return frame;
}

}  // namespace qv::tools
