#include "object/PropertyText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <type_traits>

#include "object/MissingContent.h"
#include "object/NumberText.h"
#include "object/PropertyRegistration.h"
#include "object/ResourceResolver.h"

ResourceResolver gResourceResolver;

namespace {

// The text form of one value type. ToText gives the text of the named part; FromText
// parses text into the named part of value and says whether it did.
template <class T>
struct ValueText;

template <>
struct ValueText<float> {
    static std::string ToText(float value, const std::string&) { return FloatToText(value); }
    static bool FromText(float& value, const std::string&, const std::string& text) {
        const std::optional<float> parsed = ParseFloat(text);
        value = parsed.value_or(value);
        return parsed.has_value();
    }
};

template <>
struct ValueText<int> {
    static std::string ToText(int value, const std::string&) { return std::to_string(value); }
    static bool FromText(int& value, const std::string&, const std::string& text) {
        const std::optional<int> parsed = ParseInt(text);
        value = parsed.value_or(value);
        return parsed.has_value();
    }
};

template <>
struct ValueText<bool> {
    static std::string ToText(bool value, const std::string&) { return value ? "true" : "false"; }
    static bool FromText(bool& value, const std::string&, const std::string& text) {
        value = text == "true" || text == "1" || text == "t";
        return true;
    }
};

template <>
struct ValueText<std::string> {
    static std::string ToText(const std::string& value, const std::string&) {
        std::string text;
        text.reserve(value.size());
        for (const char c : value) {
            if (c == '\n') {
                text += "\\n";
            } else {
                text += c;
            }
        }
        return text;
    }
    static bool FromText(std::string& value, const std::string&, const std::string& text) {
        value.clear();
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
                value += '\n';
                ++i;
            } else {
                value += text[i];
            }
        }
        return true;
    }
};

// The float field of a compound value that a part name selects; null for other names.
float* FloatPart(Vector2& v, const std::string& part) {
    if (part == "X")
        return &v.X;
    if (part == "Y")
        return &v.Y;
    return nullptr;
}

float* FloatPart(Rect& r, const std::string& part) {
    if (part == "X")
        return &r.X;
    if (part == "Y")
        return &r.Y;
    if (part == "Width")
        return &r.Width;
    if (part == "Height")
        return &r.Height;
    return nullptr;
}

// Vector2 and Rect: each part is one float field.
template <class T>
struct FloatFieldsText {
    static std::string ToText(T value, const std::string& part) {
        const float* field = FloatPart(value, part);
        return field != nullptr ? FloatToText(*field) : std::string();
    }
    static bool FromText(T& value, const std::string& part, const std::string& text) {
        float* field = FloatPart(value, part);
        const std::optional<float> parsed = ParseFloat(text);
        if (field == nullptr || !parsed) {
            return false;
        }
        *field = *parsed;
        return true;
    }
};

template <>
struct ValueText<Vector2> : FloatFieldsText<Vector2> {};
template <>
struct ValueText<Rect> : FloatFieldsText<Rect> {};

// One to six hex digits: longer text would spill into the alpha bits.
std::optional<uint32_t> ParseRgb(const std::string& text) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, rgb, 16);
    if (result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return rgb;
}

template <>
struct ValueText<Color> {
    static std::string ToText(Color value, const std::string& part) {
        if (part == "A") {
            return FloatToText(static_cast<float>(value.A / 255.0));
        }
        if (part == "Rgb") {
            char buffer[8];
            std::snprintf(buffer, sizeof(buffer), "%02x%02x%02x", value.R, value.G, value.B);
            return buffer;
        }
        return std::string();
    }
    static bool FromText(Color& value, const std::string& part, const std::string& text) {
        if (part == "A") {
            const std::optional<float> alpha = ParseFloat(text);
            if (!alpha) {
                return false;
            }
            // Clamped so that 1.5 or -0.1 cannot wrap around; truncated, so 0.5 is 127.
            value.A = static_cast<uint8_t>(std::clamp(*alpha, 0.0f, 1.0f) * 255.0f);
            return true;
        }
        if (part == "Rgb") {
            const std::optional<uint32_t> rgb = ParseRgb(text);
            if (!rgb) {
                return false;
            }
            value.R = static_cast<uint8_t>(*rgb >> 16);
            value.G = static_cast<uint8_t>(*rgb >> 8);
            value.B = static_cast<uint8_t>(*rgb);
            return true;
        }
        return false;
    }
};

// Enumerations by name; Lenient types read unknown names as 0, the others keep their value.
template <class T, std::string (*Name)(T), T (*Parse)(const std::string&), bool Lenient>
struct EnumText {
    static std::string ToText(T value, const std::string&) { return Name(value); }
    static bool FromText(T& value, const std::string&, const std::string& text) {
        const T parsed = Parse(text);
        if (!Lenient && parsed == T{}) {
            return false;
        }
        value = parsed;
        return true;
    }
};

template <>
struct ValueText<DrawLayer> : EnumText<DrawLayer, DrawLayerToString, DrawLayerFromString, false> {};
template <>
struct ValueText<TextXAlignment> : EnumText<TextXAlignment, TextXAlignmentToString, TextXAlignmentFromString, true> {};
template <>
struct ValueText<TextYAlignment> : EnumText<TextYAlignment, TextYAlignmentToString, TextYAlignmentFromString, true> {};
template <>
struct ValueText<WeaponType> : EnumText<WeaponType, WeaponTypeToString, WeaponTypeFromString, true> {};

// Resources by name through the runtime's resolver; unknown names keep the value and
// are told once (not before the runtime installs the resolver).
template <class T, T* (*ResourceResolver::*Find)(const std::string&),
          std::string (*ResourceResolver::*NameOf)(const T*), const char* Kind>
struct ResourceText {
    static std::string ToText(T* value, const std::string&) {
        const auto nameOf = gResourceResolver.*NameOf;
        return value != nullptr && nameOf != nullptr ? nameOf(value) : std::string();
    }
    // Single-part: the codec passes the property's name in place of a part name.
    static bool FromText(T*& value, const std::string& propertyName, const std::string& text) {
        const auto find = gResourceResolver.*Find;
        T* found = find != nullptr ? find(text) : nullptr;
        if (found == nullptr) {
            if (find != nullptr) {
                const std::string asker = "property \"" + propertyName + "\"";
                WarnMissingContent(Kind, text, ScopedContentRequester::Describe(asker));
            }
            return false;
        }
        value = found;
        return true;
    }
};

constexpr char kTextureKind[] = "texture";
constexpr char kFontKind[] = "font";

template <>
struct ValueText<Texture*>
    : ResourceText<Texture, &ResourceResolver::FindTexture, &ResourceResolver::TextureName, kTextureKind> {};
template <>
struct ValueText<BitmapFont*>
    : ResourceText<BitmapFont, &ResourceResolver::FindFont, &ResourceResolver::FontName, kFontKind> {};

struct TextCodec {
    const std::type_info* Type;
    std::string (*ToText)(const SubProperty& part);
    bool (*FromText)(SubProperty& part, const std::string& text);
};

template <class T>
TextCodec MakeCodec() {
    return {&typeid(T),
            [](const SubProperty& part) { return ValueText<T>::ToText(part.GetValue<T>(), part.ComponentName); },
            [](SubProperty& part, const std::string& text) {
                // Read the whole value first so the other parts are kept.
                T value = part.GetValue<T>();
                const std::string& context = std::is_pointer_v<T> ? part.PropertyName : part.ComponentName;
                if (!ValueText<T>::FromText(value, context, text)) {
                    return false;
                }
                part.SetValue(value);
                return true;
            }};
}

// The most common types first.
const TextCodec kCodecs[] = {
    MakeCodec<float>(),       MakeCodec<Vector2>(),   MakeCodec<bool>(),           MakeCodec<int>(),
    MakeCodec<std::string>(), MakeCodec<Color>(),     MakeCodec<Rect>(),           MakeCodec<Texture*>(),
    MakeCodec<BitmapFont*>(), MakeCodec<DrawLayer>(), MakeCodec<TextXAlignment>(), MakeCodec<TextYAlignment>(),
    MakeCodec<WeaponType>(),
};

const TextCodec* FindCodec(const std::type_info* type) {
    if (type == nullptr) {
        return nullptr;
    }
    // Pointer comparison first: the usual case, and cheaper than comparing names.
    for (const TextCodec& codec : kCodecs) {
        if (codec.Type == type) {
            return &codec;
        }
    }
    for (const TextCodec& codec : kCodecs) {
        if (*codec.Type == *type) {
            return &codec;
        }
    }
    return nullptr;
}

}  // namespace

std::string PropertyToText(const SubProperty& part) {
    const TextCodec* codec = FindCodec(part.PropertyType);
    if (codec == nullptr || part.IsEmpty()) {
        return std::string();
    }
    return codec->ToText(part);
}

bool PropertyFromText(SubProperty& part, const std::string& text) {
    const TextCodec* codec = FindCodec(part.PropertyType);
    if (codec == nullptr || part.IsEmpty()) {
        return false;
    }
    return codec->FromText(part, text);
}
