// file: addresses of local files: one spelling per path, read back only in
// that spelling; and which of them the opener takes.

#include "platform/file_url.h"

#include <gtest/gtest.h>

#include "platform/openable_url.h"

namespace gestalia {
namespace {

struct UrlRow {
    const char* path;
    const char* url;
};

class FileUrl : public ::testing::TestWithParam<UrlRow> {};

TEST_P(FileUrl, SpellsThePathAndReadsItBack) {
    EXPECT_EQ(FileUrlOf(GetParam().path), GetParam().url);
    EXPECT_EQ(LocalPathOfFileUrl(GetParam().url), GetParam().path);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Paths, FileUrl,
                         ::testing::Values(UrlRow{"C:\\Users\\Ana\\ana - informe.html",
                                                  "file:///C:/Users/Ana/ana%20-%20informe.html"},
                                           UrlRow{"D:\\Ana María\\a.html",
                                                  "file:///D:/Ana%20Mar%C3%ADa/a.html"}));
#else
INSTANTIATE_TEST_SUITE_P(
    Paths, FileUrl,
    ::testing::Values(UrlRow{"/home/ana/ana - informe.html",
                             "file:///home/ana/ana%20-%20informe.html"},
                      UrlRow{"/home/ana maría/a#b?c%d.html",
                             "file:///home/ana%20mar%C3%ADa/a%23b%3Fc%25d.html"}));
#endif

class NotAFileUrl : public ::testing::TestWithParam<const char*> {};

TEST_P(NotAFileUrl, GivesNoPath) {
    EXPECT_EQ(LocalPathOfFileUrl(GetParam()), std::nullopt) << GetParam();
    EXPECT_FALSE(OpenTargetOf(GetParam(), std::nullopt).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NotAFileUrl,
    ::testing::Values("file:///home/ana/ana%20-%20informe.htm%6C", "FILE:///home/a%20informe.html",
                      "file://host/home/a-informe.html", "file:home/a-informe.html",
                      "file:///home/a-informe.html%", "file:///home/a%00-informe.html",
                      "file:///home/a informe.html", "file:///home/a-informe.html?x", ""));

TEST(ReportPage, IsTheOnlyLocalPageTheOpenerTakesBesideTheCachedOnes) {
#ifdef _WIN32
    const std::string folder = "C:\\Users\\Ana\\";
#else
    const std::string folder = "/home/ana/";
#endif
    for (const char* name : {"ana - informe.html", "INFORME.HTML", "mi-informe.html"}) {
        const std::optional<COpenTarget> target =
            OpenTargetOf(FileUrlOf(folder + name), std::nullopt);
        ASSERT_TRUE(target.has_value()) << name;
        EXPECT_TRUE(target->bLocalFile);
        EXPECT_EQ(target->strTarget, folder + name);
    }
    for (const char* name : {"ana.html", "informe.html.exe", "informe.htm", "informe", ".bashrc"}) {
        EXPECT_FALSE(OpenTargetOf(FileUrlOf(folder + name), std::nullopt).has_value()) << name;
    }
}

}  // namespace
}  // namespace gestalia
