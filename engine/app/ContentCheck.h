#pragma once

struct ExpectedContent;

// Names through WarnContent, once each, every expected cue without its prefab, prefab
// that is not loaded (and prefab that an expected one auto-creates, or that an emitter
// of a loaded prefab names as its particle), music track without its file and cursor
// whose file cannot be read (the cursors are loaded here).
// Run once the start-up has loaded the prefabs, the music list and the video system.
void WarnAboutMissingContent(const ExpectedContent& expected);
