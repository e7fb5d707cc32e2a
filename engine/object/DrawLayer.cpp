#include "object/DrawLayer.h"

#include "object/EnumNames.h"

namespace {

constexpr EnumName<DrawLayer> kDrawLayerNames[] = {
    {DrawLayer::Background, "Background"},
    {DrawLayer::ForegroundLit, "ForegroundLit"},
    {DrawLayer::SpriteLights, "SpriteLights"},
    {DrawLayer::Foreground, "Foreground"},
    {DrawLayer::ForegroundAdd, "ForegroundAdd"},
    {DrawLayer::Ui, "Ui"},
    {DrawLayer::UiText, "UiText"},
    {DrawLayer::EditorSelection, "EditorSelection"},
    {DrawLayer::Editor, "Editor"},
    {DrawLayer::EditorText, "EditorText"},
    {DrawLayer::Editor2, "Editor2"},
    {DrawLayer::EditorText2, "EditorText2"},
};

}  // namespace

std::string DrawLayerToString(DrawLayer layer) {
    return FindEnumName<DrawLayer>(kDrawLayerNames, layer);
}

DrawLayer DrawLayerFromString(const std::string& text) {
    return FindEnumValue<DrawLayer>(kDrawLayerNames, text).value_or(DrawLayer::None);
}
