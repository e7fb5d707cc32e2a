#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

class CursorImage;

// "./Content/Cursors" / name; the caller appends ".ico".
std::filesystem::path GetCursorPath(const std::string& name);

// Shows the named cursor over the game window, or the arrow for "". Each name is read
// once; a file that cannot be read shows the arrow, is reported once, and is tried
// again at the next call.
void ApplyWindowCursor(const std::string& name);

// Frees every loaded cursor; the video system must still be running.
void ReleaseCursors();

// Cursor name -> cursor, filled on first use.
extern std::map<std::string, std::unique_ptr<CursorImage>> gCursorCache;
