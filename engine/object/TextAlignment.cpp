#include "object/TextAlignment.h"

#include "object/EnumNames.h"

namespace {

constexpr EnumName<TextXAlignment> kXNames[] = {
    {TextXAlignment::Left, "Left"}, {TextXAlignment::Center, "Center"}, {TextXAlignment::Right, "Right"}};
constexpr EnumName<TextYAlignment> kYNames[] = {
    {TextYAlignment::Top, "Top"}, {TextYAlignment::Middle, "Middle"}, {TextYAlignment::Bottom, "Bottom"}};

}  // namespace

std::string TextXAlignmentToString(TextXAlignment alignment) {
    return FindEnumName<TextXAlignment>(kXNames, alignment);
}

TextXAlignment TextXAlignmentFromString(const std::string& text) {
    return FindEnumValue<TextXAlignment>(kXNames, text).value_or(TextXAlignment::Left);
}

std::string TextYAlignmentToString(TextYAlignment alignment) {
    return FindEnumName<TextYAlignment>(kYNames, alignment);
}

TextYAlignment TextYAlignmentFromString(const std::string& text) {
    return FindEnumValue<TextYAlignment>(kYNames, text).value_or(TextYAlignment::Top);
}
