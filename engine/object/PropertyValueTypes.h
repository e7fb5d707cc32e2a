#pragma once

#include <string>
#include <type_traits>
#include <typeinfo>

#include "object/Color.h"
#include "object/DrawLayer.h"
#include "object/Rect.h"
#include "object/TextAlignment.h"
#include "object/Vector2.h"
#include "object/WeaponType.h"

// Resources live in the runtime; properties hold them by pointer and write them by name.
class Texture;
class BitmapFont;

// The value types a property may have: each has a text form (PropertyText.h).
template <class T>
inline constexpr bool IsPropertyValueType =
    std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, float> || std::is_same_v<T, std::string> ||
    std::is_same_v<T, Vector2> || std::is_same_v<T, Rect> || std::is_same_v<T, Color> || std::is_same_v<T, DrawLayer> ||
    std::is_same_v<T, TextXAlignment> || std::is_same_v<T, TextYAlignment> || std::is_same_v<T, WeaponType> ||
    std::is_same_v<T, Texture*> || std::is_same_v<T, BitmapFont*>;

// Resource references are copied and held in prefabs through their names.
template <class T>
inline constexpr bool IsResourceReference = std::is_same_v<T, Texture*> || std::is_same_v<T, BitmapFont*>;

inline bool IsResourceReferenceType(const std::type_info& type) {
    return type == typeid(Texture*) || type == typeid(BitmapFont*);
}
