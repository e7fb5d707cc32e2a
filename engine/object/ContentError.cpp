#include "object/ContentError.h"

ContentError::ContentError(const std::filesystem::path& file, const std::string& problem)
    : std::runtime_error(file.generic_string() + ": " + problem), mFile(file), mProblem(problem) {}
