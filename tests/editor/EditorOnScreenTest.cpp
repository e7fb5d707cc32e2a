// The editor in the running program: the application made with the program's editor
// hooks over the showcase content, F1 pressed through the message pump, and the main
// palette read back from the frame over the paused scene.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>

#include "ContentTestSupport.h"
#include "GraphicsTestSeam.h"
#include "GraphicsTestSupport.h"
#include "ManualClock.h"
#include "app/Application.h"
#include "app/EditorHooks.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "editor/EdRootBhv.h"
#include "editor/EditorState.h"
#include "editor/dialogs/EdDialogBhv.h"
#include "editor/dialogs/EdDlgPickerBhv.h"
#include "editor/palettes/EdPalAutoCreateListBhv.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/palettes/EdPalObjectEditBhv.h"
#include "editor/palettes/EdPalObjectListBhv.h"
#include "editor/palettes/EdPalPrefabListBhv.h"
#include "editor/tools/EdShapeEditorBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdListItemBhv.h"
#include "editor/widgets/EdPaletteBhv.h"
#include "editor/widgets/EdPropertyRowBhv.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/EdToggleBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "input/InputManager.h"
#include "object/EditorLink.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "physics/B2FixtureCmp.h"
#include "physics/B2ShapeText.h"
#include "platform/gfx/GfxDevice.h"
#include "platform/gfx/GfxTexture.h"
#include "program/ComponentTable.h"
#include "program/EditorHooks.h"
#include "render/Graphics.h"
#include "render/RenderSettings.h"

namespace {

constexpr int Width = 1280;

class EditorOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        QV_REQUIRE_DISPLAY();
        const std::filesystem::path& content = GeneratedContent();
        mDataHome = std::make_unique<ScopedDataHome>();
        InstallEditorHooks();
        mApp = std::make_unique<Application>(mClock);
        gGameConfig->DevelopmentContentPath = content.string();
        gTextureManager->ContentFolder = content / "Textures";
        gFontRegistry->ContentFolder = content / "Fonts";
        gInputManager->LoadKeyMappings(content / "Config" / "KeyMappings.json");
        gComponentTypeRegistrar = RegisterComponentTypes;
        mApp->LoadGame();
        // Straight into the first level, as the map hands over when a level starts.
        if (GameObject* map = gGameplayRoot->FindChild("LevelSelectScreen1")) {
            map->DetachAndDestroy();
        }
        gGameplayRoot->AddChild(new GameObject("GameplayScreen"));
        mApp->PumpMessagesFn = [this] {
            gInputManager->KeysDown = mHeld;
            gInputManager->MousePosition = mMouse;
            return true;
        };
        mApp->StartLoop();
    }

    void TearDown() override {
        if (mApp != nullptr) {
            mApp->UnloadGame();
            mApp.reset();
        }
        EXPECT_EQ(gEditorState, nullptr) << "deleted with the application";
        EXPECT_EQ(gEditorFlags, nullptr);
        gEditorHooks = {};
        mDataHome.reset();
    }

    void RunPasses(int count) {
        for (int i = 0; i < count; ++i) {
            mClock.AdvanceSteps(1);
            ASSERT_TRUE(mApp->RunPass());
        }
    }

    // Pixels of the interface rectangle whose colour passes the test.
    static int Count(const std::vector<uint8_t>& pixels, Rect r, bool (*test)(const uint8_t* rgb)) {
        int count = 0;
        for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y + r.Height); ++y) {
            for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X + r.Width); ++x) {
                count += test(&pixels[(static_cast<size_t>(y) * Width + static_cast<size_t>(x)) * 4]) ? 1 : 0;
            }
        }
        return count;
    }

    void TapKey(Key key) {
        mHeld.set(static_cast<size_t>(KeyCode(key)));
        RunPasses(1);
        mHeld.reset();
        RunPasses(1);
    }

    std::vector<uint8_t> DrawAndRead() {
        gGraphics->DrawFrame();
        return ImplOf(*gGraphics).Device->BackBuffer()->ReadPixels();
    }

    // With QV_SCREENSHOT_DIR set, the frame is kept there as a PPM image to look at.
    static void KeepScreenshot(const std::vector<uint8_t>& pixels, const char* name) {
        const char* folder = std::getenv("QV_SCREENSHOT_DIR");
        if (folder == nullptr) {
            return;
        }
        const size_t height = pixels.size() / 4 / Width;
        std::ofstream out(std::filesystem::path(folder) / name, std::ios::binary);
        out << "P6\n" << Width << " " << height << "\n255\n";
        for (size_t i = 0; i < pixels.size(); i += 4) {
            out.write(reinterpret_cast<const char*>(&pixels[i]), 3);
        }
    }

    static double Brightness(const std::vector<uint8_t>& pixels, Rect r) {
        double sum = 0.0;
        for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y + r.Height); ++y) {
            for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X + r.Width); ++x) {
                const uint8_t* c = &pixels[(static_cast<size_t>(y) * Width + static_cast<size_t>(x)) * 4];
                sum += c[0] + c[1] + c[2];
            }
        }
        return sum / (r.Width * r.Height);
    }

    ManualClock mClock;
    std::unique_ptr<ScopedDataHome> mDataHome;
    std::unique_ptr<Application> mApp;
    KeySet mHeld;
    Vector2 mMouse;
};

TEST_F(EditorOnScreenTest, F1ShowsTheMainPaletteOverThePausedScene) {
    ASSERT_NE(gEditorState, nullptr);
    ASSERT_NE(gEdRoot, nullptr);
    EXPECT_EQ(gEdRoot->Owner->Parent, gRootObject) << "beside the game, not inside it";
    RunPasses(3);
    EXPECT_EQ(gEditorState->IsEditing, 0);
    EXPECT_EQ(gEdRoot->PalettesRoot->DrawEnabled, 0);

    mHeld.set(static_cast<size_t>(KeyCode(Key::F1)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(2);
    ASSERT_EQ(gEditorState->IsEditing, 1);
    ASSERT_NE(gGameplayScreen, nullptr);
    EXPECT_EQ(gGameplayScreen->Owner->UpdateEnabled, 0) << "the gameplay screen is paused";
    const float sceneTime = gGraphics->Settings->FirstPassTime;
    RunPasses(5);
    EXPECT_EQ(gGraphics->Settings->FirstPassTime, sceneTime) << "the scene is frozen";

    gGraphics->DrawFrame();
    const std::vector<uint8_t> pixels = ImplOf(*gGraphics).Device->BackBuffer()->ReadPixels();
    const EdPaletteBhv* palette = gEditorState->MainPalette->Palette;
    const Rect r = palette->GetRect();
    // The title bar is blue, the toggles light, the status row dark, all of it opaque
    // over the scene.
    const Rect title(r.X + 2, r.Y + 2, r.Width - 4, 18);
    const Rect toggles(r.X + 2, r.Y + 28, r.Width - 4, 20);
    const Rect status(r.X + 2, r.Y + 82, r.Width - 4, 16);
    const auto area = [](Rect a) { return static_cast<int>(a.Width * a.Height); };
    EXPECT_GT(Count(pixels, title, [](const uint8_t* c) { return c[2] > c[0] + 40 && c[2] > 110; }),
              area(title) * 3 / 4);
    EXPECT_GT(Count(pixels, toggles,
                    [](const uint8_t* c) {
                        return std::min({c[0], c[1], c[2]}) > 150;
                    }),
              area(toggles) / 2);
    EXPECT_GT(Count(pixels, status,
                    [](const uint8_t* c) {
                        return std::max({c[0], c[1], c[2]}) < 70;
                    }),
              area(status) / 2);
    // Its text is drawn: white pixels on the dark status row ("Lv: " and "Ob: ").
    EXPECT_GT(Count(pixels, status, [](const uint8_t* c) { return std::min({c[0], c[1], c[2]}) > 200; }), 20);
}

TEST_F(EditorOnScreenTest, ThePhysicsToggleSwitchesTheRenderersViewAndTheMouseIsReadInInterfacePixels) {
    mHeld.set(static_cast<size_t>(KeyCode(Key::F1)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(1);
    const EdToggleBhv* physics = gEditorState->MainPalette->ChkShowPhysics;
    ASSERT_NE(physics, nullptr);
    mMouse = Vector2(physics->Rect.X + 10.0f, physics->Rect.Y + 10.0f);
    RunPasses(1);
    mHeld.set(static_cast<size_t>(KeyCode(Key::LeftMouse)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(1);
    EXPECT_EQ(gGraphics->ShowPhysics, 1);
    EXPECT_EQ(gEditorState->MouseOverPalette, 1);

    // A back buffer twice the size: the same palette point lies at twice the pixels.
    gGraphics->Width *= 2;
    gGraphics->Height *= 2;
    gInputManager->MousePosition = Vector2(200.0f, 100.0f);
    const Vector2 mouse = EdInput::Mouse();
    gGraphics->Width /= 2;
    gGraphics->Height /= 2;
    EXPECT_NEAR(mouse.X, 100.0f, 0.01f);
    EXPECT_NEAR(mouse.Y, 50.0f, 0.01f);
}

GameObject* FindByPrefab(GameObject* object, const std::string& prefabName) {
    if (object->PrefabName == prefabName) {
        return object;
    }
    for (GameObject* child : object->Children) {
        if (GameObject* found = FindByPrefab(child, prefabName)) {
            return found;
        }
    }
    return nullptr;
}

TEST_F(EditorOnScreenTest, TheInspectorShowsASelectedInsectAndThePrefabPickerDimsEverythingBehindIt) {
    RunPasses(3);
    GameObject* ant = FindByPrefab(gGameplayRoot, "En_Ant");
    ASSERT_NE(ant, nullptr) << "the first level holds ants";
    TapKey(Key::F1);
    TapKey(Key::F11);
    gEditorState->SelectObject(ant);
    RunPasses(2);

    const EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(inspector->TitleBar->Title, "Edit Instance");
    EXPECT_EQ(inspector->NameRow->ValueText, ant->Name);
    EXPECT_EQ(inspector->PrefabNameRow->ValueText, "En_Ant");
    std::vector<std::string> headers;
    for (const EdPropertyRowBhv* row : inspector->Rows) {
        if (row->Label.rfind("  ", 0) != 0 && !row->Label.empty()) {
            headers.push_back(row->Label);
        }
    }
    ASSERT_GE(headers.size(), 2u);
    EXPECT_EQ(headers[0], "SpriteCmp:");
    EXPECT_EQ(headers[1], "TintCmp:");

    const std::vector<uint8_t> before = DrawAndRead();
    KeepScreenshot(before, "inspector.ppm");
    const Rect r = inspector->Owner->GetComponent<EdPaletteBhv>()->GetRect();
    EXPECT_GT(r.Height, 400.0f);
    // The rows are drawn: dark label cells with white text, light value boxes.
    const Rect rows(r.X + 4, r.Y + 150, r.Width / 2 - 8, 300);
    EXPECT_GT(Count(before, rows,
                    [](const uint8_t* c) {
                        return std::max({c[0], c[1], c[2]}) < 70;
                    }),
              static_cast<int>(rows.Width * rows.Height) / 3);
    EXPECT_GT(Count(before, rows, [](const uint8_t* c) { return std::min({c[0], c[1], c[2]}) > 200; }), 200);

    EdDlgPrefabPickerBhv* picker = gEditorState->PrefabPicker;
    ASSERT_NE(picker, nullptr);
    picker->Show([](const std::string&) {});
    TapKey(Key::E);
    TapKey(Key::N);
    EXPECT_EQ(picker->FilterField->Text, "en");
    EXPECT_EQ(gEditorState->KeyboardCaptured, 1);
    const std::vector<uint8_t> after = DrawAndRead();
    KeepScreenshot(after, "picker.ppm");
    // The overlay dims the scene and the palettes; the dialog itself stays bright.
    const Rect scene(350, 620, 100, 60);
    EXPECT_LT(Brightness(after, scene), Brightness(before, scene) * 0.6);
    EXPECT_LT(Brightness(after, rows), Brightness(before, rows) * 0.6);
    const Rect dialog(picker->Dialog->TopLeft.X + 4, picker->Dialog->TopLeft.Y + 4, picker->Dialog->Width - 8, 14);
    EXPECT_GT(Count(after, dialog, [](const uint8_t* c) { return c[2] > c[0] + 40 && c[2] > 110; }),
              static_cast<int>(dialog.Width * dialog.Height) * 3 / 4)
        << "the title bar is drawn above the overlay";
}

void CollectByPrefab(GameObject* object, const std::string& prefabName, std::vector<GameObject*>& out) {
    if (object->PrefabName == prefabName) {
        out.push_back(object);
    }
    for (GameObject* child : object->Children) {
        CollectByPrefab(child, prefabName, out);
    }
}

// World point to window pixels through the renderer's world camera, which is affine.
Vector2 WorldToScreen(Vector2 world) {
    const Camera2d& camera = gGraphics->WorldCamera;
    const Vector2 o = camera.ScreenToWorld(Vector2(0.0f, 0.0f));
    const Vector2 ex = camera.ScreenToWorld(Vector2(1.0f, 0.0f));
    const Vector2 ey = camera.ScreenToWorld(Vector2(0.0f, 1.0f));
    const float ax = ex.X - o.X, ay = ex.Y - o.Y, bx = ey.X - o.X, by = ey.Y - o.Y;
    const float dx = world.X - o.X, dy = world.Y - o.Y;
    const float det = ax * by - bx * ay;
    return Vector2((dx * by - bx * dy) / det, (ax * dy - dx * ay) / det);
}

TEST_F(EditorOnScreenTest, AWallsPolygonIsReshapedWithItsHandles) {
    RunPasses(3);
    // The wall nearest the middle of the view, as a designer would pick one.
    std::vector<GameObject*> walls;
    CollectByPrefab(gGameplayRoot, "Wall", walls);
    ASSERT_FALSE(walls.empty()) << "the first level has walls";
    GameObject* wall = *std::min_element(walls.begin(), walls.end(), [](GameObject* a, GameObject* b) {
        const Vector2 p = a->GetPos(), q = b->GetPos();
        return p.X * p.X + p.Y * p.Y < q.X * q.X + q.Y * q.Y;
    });
    auto* fixture = wall->GetComponent<B2FixtureCmp>();
    fixture->SetShape("Polygon -1 -1 1 -1 1.5 0.5 0 1.5 -1 1");
    TapKey(Key::F1);
    TapKey(Key::F11);
    gEditorState->SelectObject(wall);
    RunPasses(2);
    const EdPalObjectEditBhv* inspector = gEditorState->ObjectEditPalette;
    for (const EdPropertyRowBhv* row : inspector->Rows) {
        if (row->Label == "B2FixtureCmp:") {
            mMouse = Vector2(row->LabelItem->Rect.X + 10.0f, row->LabelItem->Rect.Y + 5.0f);
        }
    }
    TapKey(Key::LeftMouse);
    mHeld.set(static_cast<size_t>(KeyCode(Key::Ctrl)));
    TapKey(Key::E);
    mHeld.reset();
    RunPasses(1);
    ASSERT_NE(gEditorState->ShapeEditor, nullptr);
    ASSERT_TRUE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_EQ(gGraphics->ShowPhysics, 1);

    // Drag the top vertex up and out.
    const Vector2 top = gEditorState->ShapeEditor->ToWorld(Vector2(0.0f, 1.5f));
    mMouse = WorldToScreen(top);
    RunPasses(1);
    mHeld.set(static_cast<size_t>(KeyCode(Key::LeftMouse)));
    RunPasses(1);
    mMouse = WorldToScreen(gEditorState->ShapeEditor->ToWorld(Vector2(0.3f, 2.5f)));
    RunPasses(1);
    mHeld.reset();
    RunPasses(1);
    const std::optional<B2ShapeDesc> shape = ParseShapeText(fixture->ShapeToString());
    ASSERT_TRUE(shape.has_value());
    ASSERT_EQ(shape->Vertices.size(), 5u);
    EXPECT_NEAR(shape->Vertices[3].Y, 2.5f, 0.05f);

    // The list palettes cover the wall; the handles are read with them out of the way.
    gEditorState->MainPalette->HidePalettes();
    const std::vector<uint8_t> pixels = DrawAndRead();
    KeepScreenshot(pixels, "shape-editor.ppm");
    // The dragged handle is marked red where the mouse left it.
    const Rect around(mMouse.X - 6.0f, mMouse.Y - 6.0f, 12.0f, 12.0f);
    EXPECT_GT(Count(pixels, around, [](const uint8_t* c) { return c[0] > 200 && c[1] < 80 && c[2] < 80; }), 3);

    TapKey(Key::Esc);
    EXPECT_FALSE(gEditorState->ShapeEditor->IsEditing());
    EXPECT_EQ(fixture->ShapeToString(), "Polygon -1 -1 1 -1 1.5 0.5 0 1.5 -1 1");
    EXPECT_EQ(gGraphics->ShowPhysics, 0);
}

}  // namespace

TEST_F(EditorOnScreenTest, TheThreeListsShowTheTreeThePrefabsAndTheLevelsEntries) {
    TapKey(Key::F1);
    for (EdToggleBhv* toggle : {gEditorState->MainPalette->ChkObjectList, gEditorState->MainPalette->ChkPrefabList,
                                gEditorState->MainPalette->ChkAutoCreateList}) {
        ASSERT_NE(toggle, nullptr);
        toggle->SetValue(true);
    }
    gEditorState->SelectPrefab(gPrefabManager->FindPrefab("Lvl_01"));
    gEditorState->SelectedName = "Lvl_01";
    RunPasses(3);
    const std::vector<uint8_t> pixels = DrawAndRead();
    KeepScreenshot(pixels, "editor_lists.ppm");

    GameObject* palettes = gEdRoot->PalettesRoot;
    const auto firstRow = [palettes](const char* palette) -> const EdListItemBhv& {
        GameObject* owner = palettes->FindChild(palette);
        EXPECT_NE(owner, nullptr) << palette;
        for (GameObject* child : owner->Children) {
            if (child->PrefabName == "EdListItem" && child->Name != "ParentItem") {
                return *child->GetComponent<EdListItemBhv>();
            }
        }
        throw std::logic_error("no rows");
    };
    for (const char* palette : {"PalObjectList", "PalPrefabList", "PalAutoCreateList"}) {
        const EdListItemBhv& row = firstRow(palette);
        EXPECT_FALSE(row.Label.empty()) << palette;
        // The label is drawn: light pixels on the row's dark background.
        EXPECT_GT(Count(pixels, row.Rect,
                        [](const uint8_t* c) {
                            return std::min({c[0], c[1], c[2]}) > 180;
                        }),
                  15)
            << palette;
    }
    EXPECT_EQ(firstRow("PalAutoCreateList").Label, "Background  (LevelBackground)");
}
