#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "ShaderReference.h"
#include "app/Application.h"
#include "app/RuntimeTypes.h"
#include "assets/Texture.h"
#include "assets/TextureBank.h"
#include "assets/TextureManager.h"
#include "object/GameObject.h"
#include "object/ObjectShortcutTypes.h"
#include "object/Pos2dCmp.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxTexture.h"
#include "render/DisplaySettings.h"
#include "render/Graphics.h"
#include "render/SpriteCmp.h"

// A renderer at 1280 x 720 with a tree of its own as gRootObject (with a gameplay root
// child) and a texture manager whose bank "Main" holds the test's textures.
class FrameTestFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;
    // Pixels per world unit under the default world camera.
    static constexpr float kPixelsPerUnit = 32.0f;

    using TexelFunction = std::function<std::array<int, 4>(int x, int y)>;

    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        InstallObjectShortcutTypes();
        InstallRuntimeTypes();
        mDataHome = std::make_unique<ScopedDataHome>();
        WriteTextFile(DisplaySettings::GetPath(), "Width=1280\nHeight=720\nFullscreen=false\n");
        mGraphics = std::make_unique<Graphics>();
        mGraphics->Init();
        mSavedGraphics = gGraphics;
        mSavedRoot = gRootObject;
        mSavedGameplayRoot = gGameplayRoot;
        mSavedTextures = gTextureManager;
        gGraphics = mGraphics.get();
        mRoot = std::make_unique<GameObject>();
        mGameplayRoot = new GameObject();
        mRoot->AddChild(mGameplayRoot);
        gRootObject = mRoot.get();
        gGameplayRoot = mGameplayRoot;
        mTextures = std::make_unique<TextureManager>([](Texture&, const std::filesystem::path&) { return false; });
        mTextures->Banks["Main"] = std::make_unique<TextureBank>();
        gTextureManager = mTextures.get();
    }

    void TearDown() override {
        if (mGraphics == nullptr) {
            return;
        }
        EXPECT_EQ(Device().TakeError(), 0u) << "an OpenGL call failed";
        gRootObject = mSavedRoot;
        gGameplayRoot = mSavedGameplayRoot;
        gTextureManager = mSavedTextures;
        gGraphics = mSavedGraphics;
        // Device textures go before the device.
        mRoot.reset();
        mTextures.reset();
        mGraphics.reset();
        mDataHome.reset();
    }

    GfxDevice& Device() { return *ImplOf(*mGraphics).Device; }
    GraphicsImpl& Impl() { return ImplOf(*mGraphics); }

    // A one-level texture in the bank, with a normal map when normals is given; its CPU
    // images are kept for the references.
    Texture* AddTexture(const std::string& name, int width, int height, const TexelFunction& color,
                        const TexelFunction& normals = nullptr) {
        auto texture = std::make_unique<Texture>();
        texture->Name = name;
        texture->Width = static_cast<float>(width);
        texture->Height = static_cast<float>(height);
        texture->DeviceTexture = Upload(width, height, color, &mColorImages[name]);
        if (normals) {
            texture->NormalSpecularTexture = Upload(width, height, normals, &mNormalImages[name]);
        }
        return mTextures->Banks["Main"]->Add(std::move(texture));
    }

    const ShaderReference::Image& ColorImage(const std::string& name) const { return *mColorImages.at(name); }
    const ShaderReference::Image& NormalImage(const std::string& name) const { return *mNormalImages.at(name); }

    // A child of parent with a sprite of the texture, placed at pos.
    GameObject* AddSprite(GameObject* parent, Texture* texture, DrawLayer layer, Vector2 pos, Vector2 size) {
        auto* object = new GameObject();
        parent->AddChild(object);
        auto* place = new Pos2dCmp();
        place->Pos = pos;
        object->AddComponent(place);
        auto* sprite = new SpriteCmp();
        sprite->SetTexture(texture);
        sprite->Layer = layer;
        sprite->Size = size;
        object->AddComponent(sprite);
        return object;
    }

    // Pixel column or row of a world coordinate under the default world camera.
    static float PixelX(float worldX) { return worldX * kPixelsPerUnit + kWidth / 2.0f; }
    static float PixelY(float worldY) { return kHeight / 2.0f - worldY * kPixelsPerUnit; }

    std::unique_ptr<Graphics> mGraphics;
    std::unique_ptr<GameObject> mRoot;
    GameObject* mGameplayRoot = nullptr;
    std::unique_ptr<TextureManager> mTextures;

private:
    std::shared_ptr<GfxTexture> Upload(int width, int height, const TexelFunction& texel,
                                       std::unique_ptr<ShaderReference::Image>* image) {
        std::vector<uint8_t> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int value : texel(x, y)) {
                    pixels.push_back(static_cast<uint8_t>(value));
                }
            }
        }
        auto texture = Device().CreateTexture(width, height, pixels.data(), GfxMips::One);
        *image = std::make_unique<ShaderReference::Image>(width, height, std::move(pixels));
        return texture;
    }

    std::unique_ptr<ScopedDataHome> mDataHome;
    std::map<std::string, std::unique_ptr<ShaderReference::Image>> mColorImages;
    std::map<std::string, std::unique_ptr<ShaderReference::Image>> mNormalImages;
    Graphics* mSavedGraphics = nullptr;
    GameObject* mSavedRoot = nullptr;
    GameObject* mSavedGameplayRoot = nullptr;
    TextureManager* mSavedTextures = nullptr;
};
