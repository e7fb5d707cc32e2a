#include "ContentTestSupport.h"

#include <gtest/gtest.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <map>
#include <set>

namespace qv::tools::test {
namespace {

const std::set<std::string>& KeyNames() {
    static const std::set<std::string> names = {"None",
                                                "Esc",
                                                "F1",
                                                "F2",
                                                "F3",
                                                "F4",
                                                "F5",
                                                "F6",
                                                "F7",
                                                "F8",
                                                "F9",
                                                "F10",
                                                "F11",
                                                "F12",
                                                "PrintScreen",
                                                "ScrollLock",
                                                "Pause",
                                                "Tilde",
                                                "Oem1",
                                                "Oem2",
                                                "Oem3",
                                                "Oem4",
                                                "Oem5",
                                                "Oem6",
                                                "Oem7",
                                                "Oem8",
                                                "Oem9",
                                                "Oem0",
                                                "OemMinus",
                                                "Equals",
                                                "Backspace",
                                                "Tab",
                                                "Q",
                                                "W",
                                                "E",
                                                "R",
                                                "T",
                                                "Y",
                                                "U",
                                                "I",
                                                "O",
                                                "P",
                                                "LeftBracket",
                                                "RightBracket",
                                                "Backslash",
                                                "CapsLock",
                                                "A",
                                                "S",
                                                "D",
                                                "F",
                                                "G",
                                                "H",
                                                "J",
                                                "K",
                                                "L",
                                                "Semicolon",
                                                "Apostrophe",
                                                "OemEnter",
                                                "Shift",
                                                "Z",
                                                "X",
                                                "C",
                                                "V",
                                                "B",
                                                "N",
                                                "M",
                                                "Comma",
                                                "OemPeriod",
                                                "OemSlash",
                                                "RightShift",
                                                "Ctrl",
                                                "LeftWindows",
                                                "Alt",
                                                "Space",
                                                "RightWindows",
                                                "Application",
                                                "Left",
                                                "Up",
                                                "Right",
                                                "Down",
                                                "NumLock",
                                                "KeypadSlash",
                                                "KeypadAsterisk",
                                                "KeypadMinus",
                                                "KeypadPlus",
                                                "Keypad1",
                                                "Keypad2",
                                                "Keypad3",
                                                "Keypad4",
                                                "Keypad5",
                                                "Keypad6",
                                                "Keypad7",
                                                "Keypad8",
                                                "Keypad9",
                                                "Keypad0",
                                                "KeypadPeriod",
                                                "KeypadEnter",
                                                "Insert",
                                                "Delete",
                                                "Home",
                                                "End",
                                                "PageUp",
                                                "PageDown",
                                                "LeftMouse",
                                                "MiddleMouse",
                                                "RightMouse"};
    return names;
}

TEST(ConfigContent, KeyMappingsBindEveryActionToKnownKeys) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_json((CommittedContent() / "Config" / "KeyMappings.json").string(), tree);
    std::multimap<std::string, std::string> bindings;
    for (const auto& [action, key] : tree) {
        EXPECT_EQ(KeyNames().count(key.data()), 1u) << action << " -> " << key.data() << " is no key name";
        bindings.emplace(action, key.data());
    }
    const std::set<std::string> actions = {"MoveUp",        "MoveDown",   "MoveLeft",       "MoveRight",
                                           "MenuConfirm",   "MenuCancel", "Fire",           "MenuReplay",
                                           "MenuNextLevel", "Pause",      "GoToLevelSelect"};
    for (const auto& [action, key] : bindings)
        EXPECT_EQ(actions.count(action), 1u) << action << " is no action";
    for (const std::string& action : actions)
        EXPECT_GE(bindings.count(action), 1u) << action << " has no key";
    auto bound = [&](const std::string& action, const std::string& key) {
        const auto [first, last] = bindings.equal_range(action);
        return std::any_of(first, last, [&](const auto& b) { return b.second == key; });
    };
    // Repeated members must survive parsing: each adds a key.
    EXPECT_TRUE(bound("MoveUp", "W") && bound("MoveUp", "Up"));
    EXPECT_TRUE(bound("MoveLeft", "A") && bound("MoveLeft", "Left"));
    EXPECT_TRUE(bound("MenuConfirm", "OemEnter") && bound("MenuConfirm", "Space"));
    EXPECT_TRUE(bound("Fire", "LeftMouse"));
    EXPECT_TRUE(bound("MenuCancel", "Esc"));
}

TEST(ConfigContent, AimCursorIsA32PixelIconWithAlpha) {
    const Image8 cursor = LoadPicture(GeneratedContent() / "Cursors" / "Aim.ico");
    EXPECT_EQ(cursor.Width, 32);
    EXPECT_EQ(cursor.Height, 32);
    int transparent = 0, opaque = 0;
    for (std::size_t i = 3; i < cursor.Pixels.size(); i += 4) {
        transparent += cursor.Pixels[i] == 0;
        opaque += cursor.Pixels[i] == 255;
    }
    EXPECT_GT(transparent, 300);
    EXPECT_GT(opaque, 50);
    // The cross-hair is centred: its centre dot is drawn, its corners are clear.
    EXPECT_EQ(cursor.At(0, 0)[3], 0);
    EXPECT_GT(cursor.At(16, 16)[3], 0);
}

}  // namespace
}  // namespace qv::tools::test
