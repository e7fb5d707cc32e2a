#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "object/TempFolder.h"

// Texture banks without a renderer: a ".sheet" file holds the text "<width>x<height>"
// in place of image data, and the loader takes the size from it. Any other content is an
// unreadable image. Every load is recorded.
class FakeImageLoader {
public:
    TextureImageLoader Loader() {
        return [this](Texture& texture, const std::filesystem::path& path) {
            Loaded.push_back(path);
            std::ifstream in(path);
            int width = 0;
            int height = 0;
            char x = 0;
            if (!(in >> width >> x >> height) || x != 'x') {
                return false;
            }
            texture.Width = static_cast<float>(width);
            texture.Height = static_cast<float>(height);
            return true;
        };
    }

    std::vector<std::filesystem::path> Loaded;
};

// A texture folder of its own and a manager reading it through the fake loader.
class TextureBankFixture {
public:
    TextureBankFixture() : Manager(Images.Loader()) { Manager.ContentFolder = Folder.Path(); }

    // Writes a fake image of that size at "<bank>/<file>".
    std::filesystem::path WriteSheet(const std::string& bankFile, int width, int height) {
        return Folder.Write(bankFile, std::to_string(width) + "x" + std::to_string(height));
    }
    std::filesystem::path WriteFile(const std::string& bankFile, const std::string& text) {
        return Folder.Write(bankFile, text);
    }

    // An atlas naming imagePath with the given <sprite .../> lines.
    static std::string Atlas(const std::string& imagePath, const std::string& sprites) {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TextureAtlas imagePath=\"" + imagePath + "\">\n" +
               sprites + "</TextureAtlas>\n";
    }

    TempFolder Folder;
    FakeImageLoader Images;
    TextureManager Manager;
};
