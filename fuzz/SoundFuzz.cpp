// A sound file (WAV, AIFF, or whatever else the decoder reads) as the game reads one: its
// container's lengths checked against the file, then decoded whole, as a sound bank's
// effects are.
#include <string>

#include "FuzzSupport.h"
#include "platform/audio/SoundAsset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path path = WriteFuzzFile("Sounds/Main/Fuzz.wav", InputText(data, size));
    std::string error;
    const std::unique_ptr<SoundAsset> sound = SoundAsset::Load(path, SoundStorage::Sample, error);
    // A sound that loads holds frames; one that does not says why.
    if ((sound != nullptr && sound->Format().Frames == 0) || (sound == nullptr && error.empty())) {
        __builtin_trap();
    }
    return 0;
}
