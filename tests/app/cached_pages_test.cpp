#include "platform/cached_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "content/offline_pages.h"
#include "platform/openable_url.h"
#include "tests/support/temp_dir.h"

namespace gestalia::test {
namespace {

// A cache folder as the system gives it, and its file: address.
#ifdef _WIN32
constexpr const char* kSeparator = "\\";
constexpr const char* kFolder = "C:\\Users\\Ana\\AppData\\Local\\Gestalia\\cache";
constexpr const char* kFolderUrl = "file:///C:/Users/Ana/AppData/Local/Gestalia/cache";
#else
constexpr const char* kSeparator = "/";
constexpr const char* kFolder = "/home/ana/.cache/Gestalia";
constexpr const char* kFolderUrl = "file:///home/ana/.cache/Gestalia";
#endif

class CachedPagesTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tmp.ok()); }
    std::string Folder() const { return tmp.File("cache"); }
    std::string PageFile(std::string_view name) const {
        return Folder() + "/paginas/" + std::string(name);
    }
    CTempDir tmp;
};

TEST_F(CachedPagesTest, WritesEveryPageWholeMakingTheFolders) {
    ASSERT_TRUE(WriteCachedPages(Folder()).ok());
    for (const COfflinePage& page : OfflinePages()) {
        EXPECT_EQ(ReadAll(PageFile(page.strName)), page.strBytes) << page.strName;
    }
}

TEST_F(CachedPagesTest, PutsBackAPageChangedOnDisk) {
    ASSERT_TRUE(WriteCachedPages(Folder()).ok());
    WriteAll(PageFile(kHomePage), "<script>alert(1)</script>");
    ASSERT_TRUE(WriteCachedPages(Folder()).ok());
    EXPECT_EQ(ReadAll(PageFile(kHomePage)), *FindOfflinePage(kHomePage));
}

TEST_F(CachedPagesTest, AFolderThatCannotBeMadeIsAnError) {
    const std::string blocked = tmp.Write("a-file", "not a folder");
    const Status written = WriteCachedPages(blocked + "/cache");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().kind, ErrorKind::cannotSave);
    EXPECT_NE(written.error().message.find(blocked), std::string::npos) << written.error().message;
}

struct UrlCase {
    const char* folder;
    const char* page;
    const char* url;
};

class CachedPageUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(CachedPageUrlTest, IsTheEscapedPathAndNamesOnlyThatPage) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(CachedPageUrl(c.folder, c.page), c.url);
    const std::optional<std::string> path = CachedPagePath(c.url, c.folder);
    ASSERT_TRUE(path.has_value()) << c.url;
    EXPECT_EQ(*path, std::string(c.folder) + kSeparator + "paginas" + kSeparator + c.page);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    CachedPages, CachedPageUrlTest,
    ::testing::Values(
        UrlCase{kFolder, "index.html",
                "file:///C:/Users/Ana/AppData/Local/Gestalia/cache/paginas/index.html"},
        UrlCase{"D:\\Ana María\\cache", "derechos.html",
                "file:///D:/Ana%20Mar%C3%ADa/cache/paginas/derechos.html"}));
#else
INSTANTIATE_TEST_SUITE_P(
    CachedPages, CachedPageUrlTest,
    ::testing::Values(
        UrlCase{kFolder, "index.html", "file:///home/ana/.cache/Gestalia/paginas/index.html"},
        UrlCase{"/home/ana maría/.cache/Gestalia", "derechos.html",
                "file:///home/ana%20mar%C3%ADa/.cache/Gestalia/paginas/derechos.html"},
        UrlCase{"/tmp/a#b?c%d&e'f", "sesion-1.html",
                "file:///tmp/a%23b%3Fc%25d%26e%27f/paginas/sesion-1.html"}));
#endif

// Addresses refused in the same folder: the text after the folder's address.
class RefusedFileUrl : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedFileUrl, IsNoCachedPage) {
    const std::string url = std::string(kFolderUrl) + GetParam();
    EXPECT_EQ(CachedPagePath(url, kFolder), std::nullopt) << url;
    EXPECT_FALSE(OpenTargetOf(url, kFolder).has_value()) << url;
}

INSTANTIATE_TEST_SUITE_P(CachedPages, RefusedFileUrl,
                         ::testing::Values("/paginas/otra.html", "/paginas/../../../.bashrc",
                                           "/paginas/%2E%2E/index.html", "/index.html",
                                           "/paginas/index.html?x=1", "/paginas/index.html#arriba",
                                           "/paginas/INDEX.html", "/paginas//index.html",
                                           "/paginas/index.html/"));

TEST(CachedPages, OtherAddressesAreNoCachedPage) {
    const std::string page = std::string(kFolderUrl) + "/paginas/index.html";
    ASSERT_TRUE(CachedPagePath(page, kFolder).has_value());
    for (const std::string& url :
         {"FILE" + page.substr(4), "file://host" + page.substr(7), page.substr(7),
          std::string("file:///etc/passwd"), std::string("javascript:alert(1)"), std::string()}) {
        EXPECT_FALSE(CachedPagePath(url, kFolder).has_value()) << url;
        EXPECT_FALSE(OpenTargetOf(url, kFolder).has_value()) << url;
    }
}

TEST(CachedPages, NoFolderOrARelativeOneOpensNoFile) {
    const std::string url = CachedPageUrl(kFolder, kHomePage);
    EXPECT_TRUE(OpenTargetOf(url, kFolder).has_value());
    EXPECT_FALSE(OpenTargetOf(url, std::nullopt).has_value());
    EXPECT_FALSE(CachedPagePath(CachedPageUrl("c", kHomePage), "c").has_value());
    EXPECT_FALSE(CachedPagePath(CachedPageUrl("", kHomePage), "").has_value());
}

TEST(CachedPages, OpenTargetOfTellsWebPagesFromCachedFiles) {
    const std::optional<COpenTarget> web = OpenTargetOf("https://www.gestalia.example/", kFolder);
    ASSERT_TRUE(web.has_value());
    EXPECT_EQ(web->strTarget, "https://www.gestalia.example/");
    EXPECT_FALSE(web->bLocalFile);
    const std::optional<COpenTarget> file =
        OpenTargetOf(CachedPageUrl(kFolder, "tramites.html"), kFolder);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->strTarget, CachedPagePath(CachedPageUrl(kFolder, "tramites.html"), kFolder));
    EXPECT_TRUE(file->bLocalFile);
}

}  // namespace
}  // namespace gestalia::test
