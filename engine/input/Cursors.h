#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

class CursorImage;

// "./Content/Cursors" / name; the caller appends ".ico".
std::filesystem::path GetCursorPath(const std::string& name);

// Shows the named cursor over the game window, or the arrow for "". Each name is read
// once. A file that cannot be read or made into a cursor (one larger than
// CursorImage::MaxSide on a side, one the X server refuses) shows the arrow and is
// reported once; it is not read again until RetryUnreadableCursors.
void ApplyWindowCursor(const std::string& name);

// Lets the next ApplyWindowCursor try the files that could not be read. The message pump
// calls it when the mouse moves or clicks over the window: that is when the desktop asks
// a window for its cursor, so a file that appears later is picked up then.
void RetryUnreadableCursors();

// Loads the named cursor now, as ApplyWindowCursor would when it is first shown, so that
// one whose file cannot be read is told (through WarnContent) at start-up. Nothing
// without the game window.
void PreloadCursor(const std::string& name);

// Frees every loaded cursor; the video system must still be running.
void ReleaseCursors();

// Cursor name -> cursor, filled on first use.
extern std::map<std::string, std::unique_ptr<CursorImage>> gCursorCache;
