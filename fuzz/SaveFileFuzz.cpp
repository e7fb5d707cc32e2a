// The save file's bytes, as a damaged or hand-edited "Game.sav" would give them. A file
// read whole must write back to the very same bytes.
#include <cstdlib>
#include <string_view>

#include "game/levels/SaveFileReader.h"
#include "game/levels/SaveFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SavedProgress progress;
    const SaveFileReader::Result result = SaveFileReader::Decode(bytes, progress);
    if (result.Complete() && SaveFileWriter::Encode(progress) != bytes) {
        std::abort();
    }
    return 0;
}
