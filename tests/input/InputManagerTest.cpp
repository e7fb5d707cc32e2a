#include <SDL.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "GraphicsTestSupport.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "object/ContentWarning.h"
#include "object/GameTime.h"
#include "render/Graphics.h"

namespace {

SDL_Event KeyEvent(SDL_Scancode scancode, bool down) {
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = scancode;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event FocusEvent(bool gained) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    return event;
}

// The input manager and the renderer's focus flag as the main loop sees them, at 60
// passes a second. A pass is Update, then the events of its pump.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        mGraphics = std::make_unique<Graphics>();
        gGraphics = mGraphics.get();
        gInputManager = &mInput;
        mTime.DeltaTime = 1.0f / 60.0f;
        gGameTime = &mTime;
    }

    void TearDown() override {
        gGameTime = nullptr;
        gInputManager = nullptr;
        gGraphics = nullptr;
    }

    void Pass(const std::vector<SDL_Event>& events = {}) {
        mInput.Update();
        for (const SDL_Event& event : events) {
            HandleWindowEvent(event);
        }
    }

    void Press(SDL_Scancode scancode) { HandleWindowEvent(KeyEvent(scancode, true)); }

    // The key codes set in KeysDown.
    std::vector<int> DownCodes() const {
        std::vector<int> codes;
        for (int k = 0; k < kKeySetSize; ++k) {
            if (mInput.KeysDown.test(k)) {
                codes.push_back(k);
            }
        }
        return codes;
    }

    ScopedDataHome mDataHome;
    std::unique_ptr<Graphics> mGraphics;
    InputManager mInput;
    GameTime mTime;
};

void WriteMappings(const std::filesystem::path& path, const std::string& json) {
    WriteTextFile(path, json);
}

}  // namespace

TEST_F(InputTest, ScancodesArriveAsTheGameKeyCodes) {
    const struct {
        SDL_Scancode Scancode;
        int Key;
    } cases[] = {
        {SDL_SCANCODE_W, 33},         {SDL_SCANCODE_A, 46},      {SDL_SCANCODE_S, 47},        {SDL_SCANCODE_D, 48},
        {SDL_SCANCODE_SPACE, 73},     {SDL_SCANCODE_ESCAPE, 1},  {SDL_SCANCODE_F1, 2},        {SDL_SCANCODE_F11, 12},
        {SDL_SCANCODE_PAGEUP, 101},   {SDL_SCANCODE_RETURN, 57}, {SDL_SCANCODE_KP_ENTER, 57}, {SDL_SCANCODE_LSHIFT, 58},
        {SDL_SCANCODE_RSHIFT, 58},    {SDL_SCANCODE_LCTRL, 70},  {SDL_SCANCODE_RCTRL, 70},    {SDL_SCANCODE_1, 18},
        {SDL_SCANCODE_0, 27},         {SDL_SCANCODE_KP_7, 91},   {SDL_SCANCODE_KP_0, 94},     {SDL_SCANCODE_GRAVE, 17},
        {SDL_SCANCODE_SEMICOLON, 55}, {SDL_SCANCODE_LEFT, 76},   {SDL_SCANCODE_DOWN, 79},     {SDL_SCANCODE_DELETE, 98},
    };
    for (const auto& c : cases) {
        Pass({KeyEvent(c.Scancode, true)});
        EXPECT_EQ(DownCodes(), std::vector<int>{c.Key}) << SDL_GetScancodeName(c.Scancode);
        Pass({KeyEvent(c.Scancode, false)});
        EXPECT_TRUE(DownCodes().empty()) << SDL_GetScancodeName(c.Scancode);
    }
}

TEST_F(InputTest, KeysWithoutATranslationAreDropped) {
    for (SDL_Scancode scancode :
         {SDL_SCANCODE_F13, SDL_SCANCODE_NONUSBACKSLASH, SDL_SCANCODE_AUDIOPLAY, SDL_SCANCODE_UNKNOWN}) {
        Press(scancode);
        EXPECT_TRUE(DownCodes().empty()) << SDL_GetScancodeName(scancode);
    }
}

TEST_F(InputTest, PushedEventsReachTheKeysThroughThePump) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    // Whatever earlier windows left in the queue is not this test's.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event down = KeyEvent(SDL_SCANCODE_D, true);
    SDL_PushEvent(&down);
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(mInput.IsKeyDown(Key::D));
    EXPECT_TRUE(mInput.IsKeyPressed(Key::D));

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_FALSE(PumpMessages());
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(InputTest, MouseMotionAndButtonsSetThePositionAndTheMouseKeys) {
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 120;
    motion.motion.y = 45;
    Pass({motion});
    EXPECT_EQ(mInput.MousePosition, Vector2(120.0f, 45.0f));

    SDL_Event button = {};
    button.type = SDL_MOUSEBUTTONDOWN;
    button.button.button = SDL_BUTTON_RIGHT;
    button.button.x = 130;
    button.button.y = 50;
    Pass({button});
    EXPECT_TRUE(mInput.IsKeyPressed(Key::RightMouse));
    EXPECT_FALSE(mInput.IsKeyDown(Key::LeftMouse));
    EXPECT_EQ(mInput.MousePositionPrevious, Vector2(120.0f, 45.0f));
    EXPECT_EQ(mInput.MousePosition, Vector2(130.0f, 50.0f));

    button.type = SDL_MOUSEBUTTONUP;
    Pass({button});
    EXPECT_FALSE(mInput.IsKeyDown(Key::RightMouse));
}

TEST_F(InputTest, AHeldKeyTypesInTheNextPassThenAfterTwentyFourPassesThenEveryThird) {
    Pass({KeyEvent(SDL_SCANCODE_W, true)});  // pass 0: pressed
    EXPECT_TRUE(mInput.IsKeyPressed(Key::W));
    EXPECT_FALSE(mInput.IsKeyTyped(Key::W));
    std::vector<int> typedPasses;
    for (int pass = 1; pass <= 60; ++pass) {
        Pass();
        EXPECT_FALSE(mInput.IsKeyPressed(Key::W));
        if (mInput.IsKeyTyped(Key::W)) {
            typedPasses.push_back(pass);
        }
    }
    const std::vector<int> expected = {1, 25, 28, 31, 34, 37, 40, 43, 46, 49, 52, 55, 58};
    EXPECT_EQ(typedPasses, expected);
}

// At 10 passes a second a quick tap goes down and up between two passes: it is pressed
// in the pass after, typed in the one after that and then released, once each.
TEST_F(InputTest, AKeyTappedBetweenTwoPassesIsPressedTypedAndReleasedOnce) {
    mTime.DeltaTime = 0.1f;
    mInput.ActionKeys.emplace(InputAction::Pause, Key::P);
    const auto tap = [](SDL_Scancode scancode) {
        return std::vector<SDL_Event>{KeyEvent(scancode, true), KeyEvent(scancode, false)};
    };

    Pass(tap(SDL_SCANCODE_P));
    EXPECT_TRUE(mInput.IsKeyDown(Key::P));
    EXPECT_TRUE(mInput.IsKeyPressed(Key::P));
    EXPECT_TRUE(mInput.IsActionPressed(InputAction::Pause));
    Pass();
    EXPECT_TRUE(mInput.IsKeyTyped(Key::P));
    EXPECT_EQ(mInput.TypedText, "p");
    EXPECT_FALSE(mInput.IsKeyDown(Key::P)) << "released in this pass";
    EXPECT_FALSE(mInput.IsKeyPressed(Key::P));
    EXPECT_TRUE(mInput.IsActionInKeySet(InputAction::Pause, mInput.KeysDownPrevious));
    for (int pass = 0; pass < 10; ++pass) {
        Pass();
        EXPECT_FALSE(mInput.IsKeyPressed(Key::P));
        EXPECT_FALSE(mInput.IsKeyTyped(Key::P));
        EXPECT_FALSE(mInput.IsKeyDown(Key::P));
    }

    // Every character of a word typed one tap a pass, the doubled letter too.
    std::string typed;
    int pressedPasses = 0;
    const std::pair<SDL_Scancode, Key> word[] = {
        {SDL_SCANCODE_W, Key::W}, {SDL_SCANCODE_A, Key::A}, {SDL_SCANCODE_L, Key::L}, {SDL_SCANCODE_L, Key::L}};
    for (const auto& [scancode, key] : word) {
        Pass(tap(scancode));
        typed += mInput.TypedText;
        pressedPasses += mInput.IsKeyPressed(key) ? 1 : 0;
    }
    Pass();
    typed += mInput.TypedText;
    Pass();
    typed += mInput.TypedText;
    EXPECT_EQ(typed, "wall");
    EXPECT_EQ(pressedPasses, 4);

    // A key held from before, released and pressed again in one pump, is pressed again.
    Pass({KeyEvent(SDL_SCANCODE_E, true)});
    Pass();
    Pass({KeyEvent(SDL_SCANCODE_E, false), KeyEvent(SDL_SCANCODE_E, true)});
    EXPECT_TRUE(mInput.IsKeyPressed(Key::E));

    // A click shorter than a pass is a click.
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    SDL_Event unclick = click;
    unclick.type = SDL_MOUSEBUTTONUP;
    Pass({click, unclick});
    EXPECT_TRUE(mInput.IsKeyPressed(Key::LeftMouse));
    Pass();
    EXPECT_FALSE(mInput.IsKeyDown(Key::LeftMouse));
    Pass();
    EXPECT_FALSE(mInput.IsKeyPressed(Key::LeftMouse));
}

TEST_F(InputTest, TypedTextFollowsShiftAndTheOrderOfPresses) {
    Pass({KeyEvent(SDL_SCANCODE_LSHIFT, true), KeyEvent(SDL_SCANCODE_1, true)});
    Pass();
    EXPECT_EQ(mInput.TypedText, "!");  // Shift types nothing itself

    // At a low pass rate several letters reach one pump; they keep the order of the
    // presses, not of the key codes (Q 32, A 46, Keypad5 89).
    Pass({KeyEvent(SDL_SCANCODE_1, false), KeyEvent(SDL_SCANCODE_LSHIFT, false), KeyEvent(SDL_SCANCODE_KP_5, true),
          KeyEvent(SDL_SCANCODE_A, true), KeyEvent(SDL_SCANCODE_Q, true)});
    Pass();
    EXPECT_EQ(mInput.TypedText, "5aq");

    // RightShift (never produced by the keyboard translation) also shifts; the keypad ignores it.
    Pass({KeyEvent(SDL_SCANCODE_A, false), KeyEvent(SDL_SCANCODE_Q, false), KeyEvent(SDL_SCANCODE_KP_5, false)});
    mInput.KeysDown.set(KeyCode(Key::RightShift));
    Pass({KeyEvent(SDL_SCANCODE_A, true), KeyEvent(SDL_SCANCODE_KP_5, true), KeyEvent(SDL_SCANCODE_RETURN, true),
          KeyEvent(SDL_SCANCODE_APOSTROPHE, true)});
    Pass();
    EXPECT_EQ(mInput.TypedText, "A5\"");
    EXPECT_TRUE(mInput.IsKeyTyped(Key::OemEnter));
    Pass();
    EXPECT_EQ(mInput.TypedText, "");
    mInput.KeysDown.reset(KeyCode(Key::RightShift));

    // A held key's repeat was pressed first; a letter pressed and let go within one pump
    // still takes its place. "tintpulse" at a low pass rate: the l before the s.
    for (SDL_Scancode scancode : {SDL_SCANCODE_A, SDL_SCANCODE_KP_5, SDL_SCANCODE_RETURN, SDL_SCANCODE_APOSTROPHE}) {
        HandleWindowEvent(KeyEvent(scancode, false));
    }
    Pass({KeyEvent(SDL_SCANCODE_U, true)});
    for (int pass = 0; pass < 24; ++pass) {
        Pass();
    }
    Pass({KeyEvent(SDL_SCANCODE_L, true), KeyEvent(SDL_SCANCODE_L, false), KeyEvent(SDL_SCANCODE_S, true)});
    EXPECT_EQ(mInput.TypedText, "u") << "the held key repeats";
    Pass();
    EXPECT_EQ(mInput.TypedText, "ls");

    // A doubled letter typed within one pump is typed twice.
    Pass({KeyEvent(SDL_SCANCODE_U, false), KeyEvent(SDL_SCANCODE_S, false), KeyEvent(SDL_SCANCODE_A, true),
          KeyEvent(SDL_SCANCODE_L, true), KeyEvent(SDL_SCANCODE_L, false), KeyEvent(SDL_SCANCODE_L, true),
          KeyEvent(SDL_SCANCODE_L, false)});
    Pass();
    EXPECT_EQ(mInput.TypedText, "all");

    // Shift let go between two letters of one pump shifts only the first: "Sc", not "SC".
    Pass({KeyEvent(SDL_SCANCODE_A, false), KeyEvent(SDL_SCANCODE_L, false), KeyEvent(SDL_SCANCODE_LSHIFT, true),
          KeyEvent(SDL_SCANCODE_S, true), KeyEvent(SDL_SCANCODE_S, false), KeyEvent(SDL_SCANCODE_LSHIFT, false),
          KeyEvent(SDL_SCANCODE_C, true), KeyEvent(SDL_SCANCODE_C, false)});
    Pass();
    EXPECT_EQ(mInput.TypedText, "Sc");
}

TEST_F(InputTest, MappingsBindRepeatedMembersAndUnknownNames) {
    ScopedTempFolder folder;
    const auto path = folder.Path() / "KeyMappings.json";
    WriteMappings(path, R"({"MoveUp": "W", "MoveUp": "Up", "Jump": "Space", "Fire": "LeftMouse",
                            "MenuConfirm": "Enter"})");
    mInput.LoadKeyMappings(path);
    EXPECT_EQ(mInput.ActionKeys.count(InputAction::MoveUp), 3u);
    EXPECT_EQ(mInput.ActionKeys.count(InputAction::MenuConfirm), 1u);

    Pass({KeyEvent(SDL_SCANCODE_W, true)});
    EXPECT_TRUE(mInput.IsActionPressed(InputAction::MoveUp));
    EXPECT_TRUE(mInput.IsActionInKeySet(InputAction::MoveUp, mInput.KeysDown));
    Pass({KeyEvent(SDL_SCANCODE_UP, true)});  // the action was already held
    EXPECT_FALSE(mInput.IsActionPressed(InputAction::MoveUp));
    // Another key of the action while one was held before this pass's pump: not pressed.
    Pass({KeyEvent(SDL_SCANCODE_W, false), KeyEvent(SDL_SCANCODE_UP, false), KeyEvent(SDL_SCANCODE_SPACE, true)});
    EXPECT_FALSE(mInput.IsActionPressed(InputAction::MoveUp));
    EXPECT_TRUE(mInput.IsActionInKeySet(InputAction::MoveUp, mInput.KeysDown));
    Pass({KeyEvent(SDL_SCANCODE_SPACE, false)});
    Pass({KeyEvent(SDL_SCANCODE_SPACE, true)});
    EXPECT_TRUE(mInput.IsActionPressed(InputAction::MoveUp));  // "Jump" counts as MoveUp

    // "Enter" is no key name: the action is bound to None, which is never down.
    mInput.KeysDown.set(0);
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::MenuConfirm, mInput.KeysDown));
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::Pause, mInput.KeysDown));
}

// A name no key or action has, or a value that is no name, binds nothing the file meant:
// each is told, naming the file and the entry, and the rest of the file still binds.
TEST_F(InputTest, MappingsNoKeyOrActionHasAreToldNamingTheEntry) {
    ScopedTempFolder folder;
    const auto path = folder.Path() / "KeyMappings.json";
    WriteMappings(path, R"({"MoveUp": "W", "MenuCancel": "Escape", "Jump": "Space", "Fire": { "Key": "LeftMouse" },
                            "Pause": ["P"], "Shoot\u0007": "Q", "MoveDown": "S", "Juump": "Nope"})");
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& text) { told.push_back(text); });
    mInput.LoadKeyMappings(path);
    SetContentWarningListener(nullptr);
    const std::string file = path.generic_string() + ": entry ";
    EXPECT_EQ(told, (std::vector<std::string>{
                        file + "\"MenuCancel\": \"Escape\": no key is named \"Escape\"; the entry binds no key",
                        file + "\"Jump\": \"Space\": no action is named \"Jump\"; the key is bound to MoveUp",
                        file + "\"Fire\": the value is not a key name in quotes; the entry binds no key",
                        file + "\"Pause\": the value is not a key name in quotes; the entry binds no key",
                        file + "\"Shoot?\": \"Q\": no action is named \"Shoot?\"; the key is bound to MoveUp",
                        file + "\"Juump\": \"Nope\": no action is named \"Juump\", no key is named \"Nope\"; "
                               "the entry binds no key",
                    }));
    // The good entries bind as ever.
    Pass({KeyEvent(SDL_SCANCODE_S, true)});
    EXPECT_TRUE(mInput.IsActionPressed(InputAction::MoveDown));
    Pass({KeyEvent(SDL_SCANCODE_ESCAPE, true), KeyEvent(SDL_SCANCODE_P, true), KeyEvent(SDL_SCANCODE_S, false)});
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::MenuCancel, mInput.KeysDown));
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::Pause, mInput.KeysDown));
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::Fire, mInput.KeysDown));
}

TEST_F(InputTest, MissingOrMalformedMappingsNameTheFile) {
    ScopedTempFolder folder;
    const auto missing = folder.Path() / "Missing.json";
    const auto broken = folder.Path() / "Broken.json";
    const auto array = folder.Path() / "Array.json";
    WriteMappings(broken, "{\n  \"MoveUp\": \"W\",\n  \"Fire\" \"LeftMouse\"\n}\n");
    WriteMappings(array, R"(["W", "Up"])");
    for (const auto& path : {missing, broken, array}) {
        try {
            InputManager input;
            input.LoadKeyMappings(path);
            FAIL() << path << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
        }
    }
    try {
        mInput.LoadKeyMappings(broken);
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
}

TEST_F(InputTest, EveryQueryIsFalseWithoutFocus) {
    ScopedTempFolder folder;
    WriteMappings(folder.Path() / "KeyMappings.json", R"({"Fire": "LeftMouse", "MoveLeft": "A"})");
    mInput.LoadKeyMappings(folder.Path() / "KeyMappings.json");
    mInput.KeysDown.set(KeyCode(Key::A));
    mInput.KeysDown.set(KeyCode(Key::LeftMouse));
    mGraphics->HasFocus = 0;
    mInput.Update();
    mInput.KeysDown.set(KeyCode(Key::D));
    EXPECT_FALSE(mInput.IsKeyDown(Key::A));
    EXPECT_FALSE(mInput.IsKeyPressed(Key::D));
    EXPECT_FALSE(mInput.IsKeyTyped(Key::A));
    EXPECT_FALSE(mInput.IsActionInKeySet(InputAction::Fire, mInput.KeysDown));
    EXPECT_FALSE(mInput.IsActionPressed(InputAction::MoveLeft));

    mGraphics->HasFocus = 1;
    EXPECT_TRUE(mInput.IsKeyDown(Key::A));
    EXPECT_TRUE(mInput.IsKeyPressed(Key::D));
    EXPECT_TRUE(mInput.IsActionInKeySet(InputAction::Fire, mInput.KeysDown));
}

TEST_F(InputTest, LosingFocusReleasesEveryKey) {
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    Pass({KeyEvent(SDL_SCANCODE_A, true), click});
    Pass({FocusEvent(false)});
    EXPECT_EQ(mGraphics->HasFocus, 0);
    EXPECT_TRUE(DownCodes().empty());

    // The key-up went to another window; back in focus, nothing is stuck.
    Pass({FocusEvent(true)});
    EXPECT_EQ(mGraphics->HasFocus, 1);
    EXPECT_FALSE(mInput.IsKeyDown(Key::A));
    EXPECT_FALSE(mInput.IsKeyDown(Key::LeftMouse));
    Pass();
    EXPECT_FALSE(mInput.IsKeyTyped(Key::A));
    Pass({KeyEvent(SDL_SCANCODE_A, true)});
    EXPECT_TRUE(mInput.IsKeyPressed(Key::A));
}

TEST(KeyNamesTest, NamesAndVirtualKeysFollowTheTables) {
    EXPECT_EQ(ParseKey("PageUp"), Key::PageUp);
    EXPECT_EQ(ParseKey("pageup"), Key::None);
    EXPECT_EQ(ParseKey("__END"), Key::EndMark);
    EXPECT_STREQ(KeyName(Key::KeypadEnter), "KeypadEnter");
    EXPECT_STREQ(KeyName(static_cast<Key>(200)), "");
    EXPECT_EQ(ParseInputAction("GoToLevelSelect"), InputAction::GoToLevelSelect);
    EXPECT_EQ(ParseInputAction("Jump"), InputAction::MoveUp);
    EXPECT_STREQ(InputActionName(InputAction::MenuReplay), "MenuReplay");
    for (int code = 0; code <= KeyCode(Key::EndMark); ++code) {
        EXPECT_EQ(KeyCode(ParseKey(KeyName(static_cast<Key>(code)))), code);
    }
    EXPECT_EQ(VirtualKeyToKey('Z'), KeyCode(Key::Z));
    EXPECT_EQ(VirtualKeyToKey(123), KeyCode(Key::F12));
    EXPECT_EQ(VirtualKeyToKey(222), KeyCode(Key::Apostrophe));
    EXPECT_EQ(VirtualKeyToKey(226), 226);  // no row: unchanged
}
