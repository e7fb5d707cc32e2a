#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ManualClock.h"
#include "input/Keys.h"
#include "object/Vector2.h"

class Application;
class GameObject;
class ScopedDataHome;
class TempFolder;

// The program's managers and main loop over a copy of the committed content, driven by
// hand: each pass steps the clock by 1/60 s, takes the keys and mouse the script holds,
// draws random numbers from a fixed seed and logs every cue asked for. Nothing is drawn
// unless drawing was asked for before the start; then DrawFrame reads a frame back.
//
//     PlayHarness play;
//     play.StartGame();                  // "GameplayRoot" from its prefab, as the game
//     play.HeldKeys = {Key::D};          // held from the next pass on
//     play.RunPasses(60);
//     play.Find("GameplayScreen/Level/Layer2Mut/Player");
class PlayHarness {
public:
    static constexpr float FrameDelta = 1.0f / 60.0f;
    static constexpr unsigned DefaultSeed = 4321;

    explicit PlayHarness(unsigned seed = DefaultSeed);
    virtual ~PlayHarness();
    PlayHarness(const PlayHarness&) = delete;
    PlayHarness& operator=(const PlayHarness&) = delete;

    // Before the start: a prefab of the test's own beside the committed ones (a name of
    // a committed prefab replaces it).
    void WritePrefab(const std::string& name, const std::string& json);
    // Before the start: frames are drawn into a window from the generated content.
    void EnableDrawing();

    // The real start-up: the prefabs, then "GameplayRoot" from its prefab under "Root".
    void StartGame();
    // A bare gameplay root holding only the cue and particle managers, the weapons list,
    // the aim manager and a gameplay screen without a level list; tests place objects.
    void StartBare();
    // StartGame, then the map's hand-over without its zoom: the map goes and a gameplay
    // screen takes its place, starting gCurrentLevelName (the first main level when "").
    void StartInLevel();

    // One pass of the main loop; a key of PressOnce is held for this pass only. Throws
    // when the loop ends in it.
    void RunPass();
    // The same pass; false when the loop ended in it.
    bool TryRunPass();
    void RunPasses(int count);
    void RunSeconds(float seconds);
    // Held for the next pass, released in the pass after.
    void Tap(Key key);
    // Pressed and let go in turn within the next pass's pump, through the window's path:
    // a stalled pass takes a click, some letters and an Enter at once.
    void TapInOnePump(const std::vector<Key>& keys);
    // The keys of the text so, Shift going down and up around each character it needs.
    void TypeInOnePump(const std::string& text);
    // The window's close button: the next pump reports the end of the program, as it
    // does for a posted quit.
    void CloseWindow();

    // An object by its path of names from the gameplay root, "A/B/C"; null when absent.
    GameObject* Find(const std::string& path) const;
    // A new object from the prefab at a world position under the gameplay root.
    GameObject* Spawn(const std::string& prefabName, Vector2 pos);

    int CueCount(const std::string& name) const;
    // The cues asked for since the given index, in order.
    std::vector<std::string> CuesSince(size_t first) const;

    // The frame as it stands, RGBA rows from the top; needs EnableDrawing.
    std::vector<uint8_t> DrawFrame();
    // The same frame as a BMP file.
    void SaveScreenshot(const std::filesystem::path& file);

    std::set<Key> HeldKeys;
    std::set<Key> PressOnce;
    // A key going down or up within a pump.
    struct PumpKey {
        Key Which;
        bool Down;
    };
    // Given to the window's path in this order by the next pass's pump, after HeldKeys,
    // PressOnce and the mouse. A key that goes down stays down, pass after pass, until
    // one goes up: a chord's Ctrl can go down in one pump and up in the next.
    std::vector<PumpKey> PumpKeys;
    Vector2 Mouse{640.0f, 360.0f};
    std::vector<std::string> Cues;
    ManualClock Clock;
    std::unique_ptr<ScopedDataHome> DataHome;
    std::unique_ptr<TempFolder> Content;
    std::unique_ptr<Application> App;

private:
    void StartLoop();

    bool mDrawing = false;
    bool mCloseRequested = false;
    // Keys that went down through PumpKeys and have not gone up.
    std::set<Key> mPumpKeysDown;
};

// The key that types the character, and whether it needs Shift; throws for a
// character no key types.
std::pair<Key, bool> KeyTyping(char character);

// The text of a one-part property of the object's first component of that type name,
// written as prefab files do; for settings a test changes on a real prefab's object.
void SetProperty(GameObject* object, const std::string& type, const std::string& name, const std::string& text);
