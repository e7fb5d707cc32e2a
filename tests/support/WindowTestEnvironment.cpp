#include "VideoForTheWholeRun.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new VideoForTheWholeRun);

}  // namespace
