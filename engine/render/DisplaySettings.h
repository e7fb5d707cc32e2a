#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window/DisplayModes.h"

class Graphics;

// A display mode the settings popup offers.
struct DisplayMode {
    int32_t Width = 0;
    int32_t Height = 0;
    bool Fullscreen = true;
};

// The window size and full-screen choice, kept in "Display.ini" in the user data
// folder as the top-level keys "Width", "Height" and "Fullscreen".
class DisplaySettings {
public:
    // True when the file exists and holds usable values, which then go into the
    // renderer. A file that is malformed, lacks a key or holds a size of 0 or less is
    // reported on standard error and changes nothing; the caller writes the defaults.
    static bool Load(Graphics& graphics);
    // Creates the folder when missing and replaces the file through a temporary one, so
    // an interrupted save keeps the previous settings. False when the folder or the file
    // cannot be written (read-only, full, not a folder); *problem then names the file
    // and the reason. The settings in use are kept either way: they last for this run.
    static bool Save(const Graphics& graphics, std::string* problem = nullptr);
    static std::filesystem::path GetPath();
    // A size read from the file that the display popup does not offer (a 1x1 window,
    // from which the popup cannot be reached) becomes the default 1280x720, with a warning
    // naming the file; the default itself is always kept. The file is left as it is.
    // True when the size changed.
    static bool KeepToOfferedModes(Graphics& graphics, const class DisplayModeSource& modes);
    // A window larger than the display can show would keep the game from starting, so
    // such a size becomes the display's largest mode (the renderer's defaults when it
    // lists none), with a warning naming the file. The file itself is left as it is.
    // True when the size changed.
    static bool ClampToDisplay(Graphics& graphics, const class DisplayModeSource& modes);
};

// Where display modes come from; tests give their own.
class DisplayModeSource {
public:
    virtual ~DisplayModeSource() = default;
    virtual std::vector<VideoMode> ListModes() const = 0;
};

// The modes of the primary display, as the system lists them. Needs an initialised renderer.
class SystemDisplayModes : public DisplayModeSource {
public:
    std::vector<VideoMode> ListModes() const override { return ListDisplayModes(); }
};

// Whether the popup offers a mode: 60 Hz, at least 640 wide, outside the wide desktop
// band from 1400 up to full HD, and an aspect ratio between 3:2 and 2:1.
bool IsOfferedDisplayMode(const VideoMode& mode);

// Appends the offered modes in the source's order; duplicates stay.
void EnumerateDisplayModes(const DisplayModeSource& source, std::vector<DisplayMode>& out);
void EnumerateDisplayModes(std::vector<DisplayMode>& out);
