#include "PlayHarness.h"

#include <SDL2/SDL.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "ContentTestSupport.h"
#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "PhysicsTestSupport.h"
#include "app/Application.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/CueManagerBhv.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"
#include "fx/AnimationManager.h"
#include "game/GameContent.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "input/MessagePump.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"
#include "object/RandomManager.h"
#include "object/TempFolder.h"
#include "platform/AudioTestSupport.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxTexture.h"
#include "program/ComponentTable.h"
#include "render/Graphics.h"

namespace fs = std::filesystem;

namespace {

// Every track the levels ask for, as a second of silence: the music manager then
// really plays, whether or not the content build made the music.
void GiveSilentMusic() {
    const std::vector<float> silence(AudioTest::Rate, 0.0f);
    for (const char* track : {"Psy1", "Psy2", "Bonus", "LevelSelect1"}) {
        gMusicManager->Tracks[track].FilePath = AudioTest::WriteWav(std::string("music_") + track, silence).string();
    }
}

// What one run of the game leaves behind for the next.
void ForgetGameGlobals() {
    gCurrentLevelName.clear();
    gEditorLink = EditorLink();
}

}  // namespace

PlayHarness::PlayHarness(unsigned seed) {
    ForgetGameGlobals();
    DataHome = std::make_unique<ScopedDataHome>();
    Content = std::make_unique<TempFolder>();
    for (const char* folder : {"Prefabs", "Animations"}) {
        fs::copy(CommittedContent() / folder, Content->Path() / folder, fs::copy_options::recursive);
    }
    App = std::make_unique<Application>(Clock);
    App->Expected = GameExpectedContent();
    gGameConfig->DevelopmentContentPath = Content->Path().string();
    gInputManager->LoadKeyMappings(CommittedContent() / "Config" / "KeyMappings.json");
    gRandomManager->Seed(seed);
    GiveSilentMusic();
    App->PumpMessagesFn = [this] {
        gInputManager->KeysDown.reset();
        for (Key key : HeldKeys) {
            gInputManager->KeysDown.set(KeyCode(key));
        }
        for (Key key : PressOnce) {
            gInputManager->KeysDown.set(KeyCode(key));
        }
        for (Key key : mPumpKeysDown) {
            gInputManager->KeysDown.set(KeyCode(key));
        }
        gInputManager->MousePosition = Mouse;
        for (const PumpKey& key : std::exchange(PumpKeys, {})) {
            if (key.Down) {
                gInputManager->PressKey(KeyCode(key.Which));
                mPumpKeysDown.insert(key.Which);
            } else {
                gInputManager->ReleaseKey(KeyCode(key.Which));
                mPumpKeysDown.erase(key.Which);
            }
        }
        const bool closed = std::exchange(mCloseRequested, false);
        return !TakePostedQuit() && !closed;
    };
}

PlayHarness::~PlayHarness() {
    if (mDrawing) {
        App->UnloadGame();
    }
    App.reset();
    ForgetGameGlobals();
}

void PlayHarness::WritePrefab(const std::string& name, const std::string& json) {
    Content->Write("Prefabs/" + name + ".json", json);
}

void PlayHarness::EnableDrawing() {
    const fs::path& generated = GeneratedContent();
    gTextureManager->ContentFolder = generated / "Textures";
    gFontRegistry->ContentFolder = generated / "Fonts";
    fs::copy(generated / "Sounds", Content->Path() / "Sounds", fs::copy_options::recursive);
    mDrawing = true;
}

void PlayHarness::StartGame() {
    if (mDrawing) {
        gComponentTypeRegistrar = RegisterComponentTypes;
        App->LoadGame();
    } else {
        gComponentTypeRegistrar = RegisterComponentTypes;
        App->LoadPrefabs();
        gRootObject->Name = "Root";
        gGameplayRoot = new GameObject("GameplayRoot");
        gRootObject->AddChild(gGameplayRoot);
    }
    StartLoop();
}

void PlayHarness::StartInLevel() {
    StartGame();
    if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
        map->DetachAndDestroy();
    }
    gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
}

void PlayHarness::StartBare() {
    gPrefabManager->Init(RegisterComponentTypes);
    gRootObject->Name = "Root";
    gGameplayRoot = new GameObject();
    gGameplayRoot->Name = "GameplayRoot";
    gRootObject->AddChild(gGameplayRoot);
    for (const char* manager : {"CueManager", "ParticleManager", "WeaponsList", "AimManager", "GameplayScreen"}) {
        gGameplayRoot->AddChild(new GameObject(manager));
    }
    StartLoop();
}

void PlayHarness::StartLoop() {
    if (gCueManager == nullptr) {
        throw std::logic_error("the gameplay root has no cue manager");
    }
    gCueManager->OnPlayCue = [this](const std::string& name) { Cues.push_back(name); };
    App->StartLoop();
}

void PlayHarness::RunPass() {
    if (!TryRunPass()) {
        throw std::logic_error("the main loop ended");
    }
}

bool PlayHarness::TryRunPass() {
    Clock.AdvanceSteps(1);
    const bool running = App->RunPass();
    PressOnce.clear();
    return running;
}

void PlayHarness::RunPasses(int count) {
    for (int i = 0; i < count; ++i) {
        RunPass();
    }
}

void PlayHarness::RunSeconds(float seconds) {
    RunPasses(static_cast<int>(std::lround(seconds / FrameDelta)));
}

void PlayHarness::Tap(Key key) {
    PressOnce.insert(key);
}

void PlayHarness::TapInOnePump(const std::vector<Key>& keys) {
    for (Key key : keys) {
        PumpKeys.push_back({key, true});
        PumpKeys.push_back({key, false});
    }
}

void PlayHarness::TypeInOnePump(const std::string& text) {
    for (char character : text) {
        const auto [key, shifted] = KeyTyping(character);
        if (shifted) {
            PumpKeys.push_back({Key::Shift, true});
        }
        TapInOnePump({key});
        if (shifted) {
            PumpKeys.push_back({Key::Shift, false});
        }
    }
}

void PlayHarness::CloseWindow() {
    mCloseRequested = true;
}

GameObject* PlayHarness::Find(const std::string& path) const {
    GameObject* object = gGameplayRoot;
    std::istringstream names(path);
    std::string name;
    while (object != nullptr && std::getline(names, name, '/')) {
        object = object->FindChild(name);
    }
    return object;
}

GameObject* PlayHarness::Spawn(const std::string& prefabName, Vector2 pos) {
    auto* object = new GameObject(prefabName);
    object->SetPos(pos);
    gGameplayRoot->AddChild(object);
    return object;
}

int PlayHarness::CueCount(const std::string& name) const {
    int count = 0;
    for (const std::string& cue : Cues) {
        count += cue == name ? 1 : 0;
    }
    return count;
}

std::vector<std::string> PlayHarness::CuesSince(size_t first) const {
    if (first >= Cues.size()) {
        return {};
    }
    return std::vector<std::string>(Cues.begin() + static_cast<long>(first), Cues.end());
}

std::vector<uint8_t> PlayHarness::DrawFrame() {
    if (!mDrawing) {
        throw std::logic_error("DrawFrame needs EnableDrawing before the start");
    }
    gGraphics->DrawFrame();
    return ImplOf(*gGraphics).Device->BackBuffer()->ReadPixels();
}

void PlayHarness::SaveScreenshot(const fs::path& file) {
    std::vector<uint8_t> pixels = DrawFrame();
    const int width = gGraphics->Width;
    const int height = static_cast<int>(pixels.size() / 4) / width;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ABGR8888);
    if (surface == nullptr) {
        throw std::runtime_error(std::string("screenshot: ") + SDL_GetError());
    }
    const int result = SDL_SaveBMP(surface, file.c_str());
    SDL_FreeSurface(surface);
    if (result != 0) {
        throw std::runtime_error("screenshot: cannot write " + file.string());
    }
}

std::pair<Key, bool> KeyTyping(char character) {
    for (bool shifted : {false, true}) {
        for (int k = 0; k < KeyCode(Key::Insert); ++k) {
            if (KeyCharacter(k, shifted) == character) {
                return {static_cast<Key>(k), shifted};
            }
        }
    }
    throw std::invalid_argument(std::string("no key types '") + character + "'");
}

void SetProperty(GameObject* object, const std::string& type, const std::string& name, const std::string& text) {
    for (Component* component : object->Components) {
        auto* editable = dynamic_cast<IEditable*>(component);
        if (editable != nullptr && gPrefabManager->GetComponentTypeName(editable) == type) {
            SetPropertyText(*editable, name, text);
            return;
        }
    }
    throw std::invalid_argument("no " + type + " on " + object->Name);
}
