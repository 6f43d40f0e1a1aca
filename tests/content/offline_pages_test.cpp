#include "content/offline_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gestalia {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The values of every `attribute="..."` in the page.
std::vector<std::string> AttributeValues(std::string_view html, std::string_view attribute) {
    std::vector<std::string> values;
    const std::string lower = Lower(html);
    const std::string opening = " " + std::string(attribute) + "=\"";
    for (std::size_t at = lower.find(opening); at != std::string::npos;
         at = lower.find(opening, at + 1)) {
        const std::size_t start = at + opening.size();
        values.emplace_back(html.substr(start, html.find('"', start) - start));
    }
    return values;
}

std::vector<std::string> PageNames() {
    std::vector<std::string> names;
    for (const COfflinePage& page : OfflinePages()) {
        names.emplace_back(page.strName);
    }
    return names;
}

class EveryPage : public ::testing::TestWithParam<std::string> {
  protected:
    std::string_view Bytes() const { return FindOfflinePage(GetParam()).value_or(""); }
};

// A page is its file of the pages folder whole, inside the shell every page
// shares and titled by its heading.
TEST_P(EveryPage, HoldsTheFileOfThePagesFolderWhole) {
    std::ifstream in(std::string(GESTALIA_PAGES_DIR) + "/" + GetParam(), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(file.empty()) << GetParam();
    const std::string_view page = Bytes();
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n")) << GetParam();
    EXPECT_TRUE(page.ends_with("</main>\n</body>\n</html>\n")) << GetParam();
    EXPECT_EQ(page.find("@TITLE@"), std::string_view::npos) << GetParam();
    EXPECT_EQ(page.find("@BODY@"), std::string_view::npos) << GetParam();
    EXPECT_NE(page.find("<main>\n" + file), std::string_view::npos) << GetParam();
    const std::size_t h1 = file.find("<h1>") + 4;
    const std::string title = file.substr(h1, file.find("</h1>") - h1);
    EXPECT_NE(page.find("<title>" + title + " · Gestalia</title>"), std::string_view::npos)
        << GetParam();
    // Every page but the home page has its way back there.
    EXPECT_EQ(page.find("class=\"volver\"") != std::string_view::npos,
              GetParam() != std::string(kHomePage))
        << GetParam();
}

TEST_P(EveryPage, LoadsNothingAndRunsNothing) {
    const std::string lower = Lower(Bytes());
    // No scripts, frames, objects, style sheets or images of its own or from
    // elsewhere, no fonts or pictures through CSS, no redirection.
    for (const char* banned : {"<script", "<iframe", "<frame", "<object", "<embed", "<link", "<img",
                               "<base", "<audio", "<video", "<source", "<form", "@import", "url(",
                               "@font-face", " src=", " srcset=", "http-equiv", "//"}) {
        EXPECT_EQ(lower.find(banned), std::string::npos) << banned << " in " << GetParam();
    }
}

TEST_P(EveryPage, EveryLinkIsAnotherPageOfTheProgram) {
    const std::vector<std::string> links = AttributeValues(Bytes(), "href");
    EXPECT_FALSE(links.empty()) << GetParam();
    for (const std::string& link : links) {
        EXPECT_TRUE(FindOfflinePage(link).has_value()) << link << " in " << GetParam();
    }
}

TEST_P(EveryPage, LinksBackHome) {
    const std::vector<std::string> links = AttributeValues(Bytes(), "href");
    EXPECT_NE(std::find(links.begin(), links.end(), kHomePage), links.end()) << GetParam();
}

TEST_P(EveryPage, IsSpanishUtf8WithATitleAndAPrintStyle) {
    const std::string_view bytes = Bytes();
    EXPECT_TRUE(bytes.starts_with("<!DOCTYPE html>\n<html lang=\"es\">")) << GetParam();
    EXPECT_NE(bytes.find("<meta charset=\"utf-8\">"), std::string_view::npos);
    EXPECT_NE(bytes.find("<title>"), std::string_view::npos);
    EXPECT_NE(bytes.find("<h1>"), std::string_view::npos);
    EXPECT_NE(bytes.find("@media print"), std::string_view::npos);
    EXPECT_TRUE(bytes.ends_with("</html>\n"));
}

TEST_P(EveryPage, NamesItsSourcesAndLeavesAdviceToHerMidwife) {
    if (GetParam() == kHomePage) {
        GTEST_SKIP() << "the home page lists the readings, each with its own sources";
    }
    const std::string_view bytes = Bytes();
    const std::size_t sources = bytes.find("<h2>Fuentes</h2>");
    ASSERT_NE(sources, std::string_view::npos) << GetParam();
    EXPECT_NE(bytes.find("no sustituye los consejos de tu matrona ni de tu médico", sources),
              std::string_view::npos)
        << GetParam();
}

INSTANTIATE_TEST_SUITE_P(OfflinePages, EveryPage, ::testing::ValuesIn(PageNames()));

TEST(OfflinePages, TheHomePageListsEveryOtherPage) {
    const std::vector<std::string> links =
        AttributeValues(FindOfflinePage(kHomePage).value_or(""), "href");
    const std::set<std::string> linked(links.begin(), links.end());
    for (const COfflinePage& page : OfflinePages()) {
        EXPECT_EQ(linked.count(std::string(page.strName)), 1u) << page.strName;
    }
}

TEST(OfflinePages, NamesAreUniqueAndOnlyTheirOwn) {
    const std::vector<std::string> names = PageNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_FALSE(FindOfflinePage("").has_value());
    EXPECT_FALSE(FindOfflinePage("INDEX.HTML").has_value());
    EXPECT_FALSE(FindOfflinePage("../index.html").has_value());
}

struct SiteCase {
    std::string_view base;
    bool bPlaceholder;
};

class PlaceholderSite : public ::testing::TestWithParam<SiteCase> {};

TEST_P(PlaceholderSite, OnlyHostsUnderExample) {
    EXPECT_EQ(IsPlaceholderSite(GetParam().base), GetParam().bPlaceholder) << GetParam().base;
}

INSTANTIATE_TEST_SUITE_P(
    OfflinePages, PlaceholderSite,
    ::testing::Values(SiteCase{"https://www.gestalia.example", true},
                      SiteCase{"http://GESTALIA.EXAMPLE:8080", true},
                      SiteCase{"https://ana@www.gestalia.example.", true},
                      SiteCase{"https://example", true}, SiteCase{"https://www.gestalia.es", false},
                      SiteCase{"https://www.example.com", false},
                      SiteCase{"https://www.gestaliaexample", false},
                      SiteCase{"https://www.gestalia.example.com", false},
                      SiteCase{"https://evil.test/www.gestalia.example", false},
                      SiteCase{"https://www.gestalia.example@evil.test", false},
                      SiteCase{"www.gestalia.example", false}, SiteCase{"", false}));

}  // namespace
}  // namespace gestalia
