#include "GfxTestSupport.h"

#include <stdexcept>

#include "platform/gfx/GfxProgram.h"

namespace {

const char* kConstantColorPs = R"(
in vec4 vColor;
in vec2 vUv;
void main() { Target0 = PsConst[2]; }
)";

const char* kSwizzledConstantPs = R"(
in vec4 vColor;
in vec2 vUv;
void main() { Target0 = PsConst[2].bgra; }
)";

// Moves every vertex by c3.xy: a second program must see the value set for the first.
const char* kOffsetVs = R"(
out vec4 vColor;
out vec2 vUv;
void main() {
    SetClipPosition(InPosition + vec4(VsConst[3].xy, 0.0, 0.0));
    vColor = InColor;
    vUv = InTexCoord0;
}
)";

}  // namespace

TEST_F(GfxTest, ConstantRegistersAreSharedByEveryShaderPair) {
    mDevice->Clear(GfxClearColor | GfxClearDepth, {0.0f, 0.0f, 0.0f, 1.0f}, 1.0f);
    const auto constant = Shader(GfxShaderStage::Pixel, "ConstantColorPS", kConstantColorPs);
    const auto swizzled = Shader(GfxShaderStage::Pixel, "SwizzledConstantPS", kSwizzledConstantPs);
    const auto offset = Shader(GfxShaderStage::Vertex, "OffsetVS", kOffsetVs);
    const float orange[4] = {1.0f, 0.5f, 0.0f, 1.0f};
    mDevice->SetPixelConstants(2, orange, 1);
    const float shiftRight[4] = {1.0f, 0.0f, 0.0f, 0.0f};
    mDevice->SetVertexConstants(3, shiftRight, 1);

    mDevice->SetPixelShader(constant.get());
    DrawQuad(-1.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0);  // top-left quarter
    EXPECT_TRUE(Near(BackBufferPixel(3, 3), {255, 128, 0, 255}));

    mDevice->SetPixelShader(swizzled.get());
    DrawQuad(-1.0f, 0.0f, 0.0f, -1.0f, 0.5f, 0);  // bottom-left quarter
    EXPECT_TRUE(Near(BackBufferPixel(3, 12), {0, 128, 255, 255}));

    // The vertex constant set before any offset shader existed moves this quad right.
    mDevice->SetVertexShader(offset.get());
    mDevice->SetPixelShader(constant.get());
    DrawQuad(-1.0f, 0.0f, 0.0f, -1.0f, 0.4f, 0);
    EXPECT_TRUE(Near(BackBufferPixel(12, 12), {255, 128, 0, 255}));
    EXPECT_TRUE(Near(BackBufferPixel(3, 12), {0, 128, 255, 255}));
}

TEST_F(GfxTest, ConstantWritesOutsideTheRegistersAreRefused) {
    const float values[8] = {};
    EXPECT_THROW(mDevice->SetVertexConstants(3, values, 2), std::out_of_range);
    EXPECT_THROW(mDevice->SetPixelConstants(-1, values, 1), std::out_of_range);
    EXPECT_NO_THROW(mDevice->SetVertexConstants(0, values, 2));
}

TEST_F(GfxTest, ShaderErrorsNameTheShader) {
    try {
        GfxShader broken(GfxShaderStage::Pixel, "BrokenPS", "void main() { Target0 = undefinedThing; }");
        FAIL() << "a broken shader compiled";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("BrokenPS"), std::string::npos) << error.what();
    }
    // The prelude's #line makes the log count lines of the file itself.
    try {
        GfxShader broken(GfxShaderStage::Vertex, "LineVS", "void main() {\n  SetClipPosition(nope);\n}\n");
        FAIL() << "a broken shader compiled";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("0:2"), std::string::npos) << error.what();
    }
}

TEST_F(GfxTest, LinkErrorsNameBothShadersAndCarryTheLinkerLog) {
    // The vertex shader writes vColor as a vec4.
    const auto unmatched =
        Shader(GfxShaderStage::Pixel, "UnmatchedPS", "in vec3 vColor;\nvoid main() { Target0 = vec4(vColor, 1.0); }\n");
    try {
        GfxProgram program(*mPassThrough, *unmatched);
        FAIL() << "shaders that disagree on a varying linked";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("'PassThroughVS' and 'UnmatchedPS' do not link"), std::string::npos) << message;
        EXPECT_NE(message.find("vColor"), std::string::npos) << "the linker's log: " << message;
    }
}

TEST_F(GfxTest, StagesCannotBeSwapped) {
    EXPECT_THROW(mDevice->SetVertexShader(mVertexColor.get()), std::invalid_argument);
    EXPECT_THROW(mDevice->SetPixelShader(mPassThrough.get()), std::invalid_argument);
}

TEST_F(GfxTest, DrawingWithoutAShaderPairIsRefused) {
    mDevice->SetPixelShader(nullptr);
    EXPECT_THROW(DrawFullQuad(0.5f, 0), std::logic_error);
}
