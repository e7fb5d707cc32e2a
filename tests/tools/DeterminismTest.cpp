#include "ContentTestSupport.h"

#include "tools/ContentBuild.h"
#include "tools/io/Bytes.h"

#include <gtest/gtest.h>

namespace qv::tools::test {
namespace {

TEST(ContentBuild, GeneratingAgainGivesTheSameBytesAndRewritesNothing) {
    const std::vector<OutputFile> again = GenerateContent();
    ASSERT_GT(again.size(), 50u);
    for (const OutputFile& file : again) {
        EXPECT_TRUE(ReadFileBytes(GeneratedContent() / file.RelativePath) == file.Data)
            << file.RelativePath << " differs";
    }
    const ContentBuildSummary rebuild = BuildContent(GeneratedContent());
    EXPECT_EQ(rebuild.Written, 0);
    EXPECT_EQ(rebuild.Unchanged, static_cast<int>(again.size()));
    EXPECT_FALSE(std::filesystem::exists(GeneratedContent() / ".content-staging")) << "staging folder left behind";
}

}  // namespace
}  // namespace qv::tools::test
