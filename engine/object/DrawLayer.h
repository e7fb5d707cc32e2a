#pragma once

#include <cstdint>
#include <string>

// Draw layers are bit flags: a component drawn in several passes sets several bits.
// The value 2 is drawn by no pass.
enum class DrawLayer : int32_t {
    None = 0,
    Background = 1,
    ForegroundLit = 4,
    SpriteLights = 8,
    Foreground = 16,
    ForegroundAdd = 32,
    Ui = 64,
    UiText = 128,
    EditorSelection = 256,
    Editor = 512,
    EditorText = 1024,
    Editor2 = 2048,
    EditorText2 = 4096,
};

constexpr DrawLayer operator|(DrawLayer a, DrawLayer b) {
    return static_cast<DrawLayer>(static_cast<int32_t>(a) | static_cast<int32_t>(b));
}

// Whether a layer value shares a bit with a pass mask.
constexpr bool LayersOverlap(DrawLayer layer, DrawLayer mask) {
    return (static_cast<int32_t>(layer) & static_cast<int32_t>(mask)) != 0;
}

// "" for a value that is not exactly one named layer.
std::string DrawLayerToString(DrawLayer layer);
// None for text that names no layer.
DrawLayer DrawLayerFromString(const std::string& text);
