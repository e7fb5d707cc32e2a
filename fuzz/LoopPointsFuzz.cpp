// A music track's loop-point JSON, read by a music manager scanning its folder.
#include <stdexcept>

#include "FuzzSupport.h"
#include "app/Application.h"
#include "audio/MusicManager.h"
#include "audio/SoundManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureHeadlessApplication();
    WriteFuzzFile("Music/Track.ogg", "");
    WriteFuzzFile("Music/Track.json", InputText(data, size));
    try {
        MusicManager music(gSoundManager->System(), FuzzFolder() / "Music");
    } catch (const std::runtime_error&) {
    }
    return 0;
}
