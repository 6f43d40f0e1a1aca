#include "content/day_links.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/offline_pages.h"
#include "model/windows1252.h"

namespace gestalia {
namespace {

// The callers copy a link's texts into buffers of this many bytes, NUL included.
constexpr std::size_t kPanelBufferBytes = 1000;

constexpr std::int32_t kLinkedDays[] = {1,   43,  47,  53,  58,  62,  65,  73,  81,  86,  94,
                                        103, 119, 125, 126, 133, 140, 147, 154, 161, 168, 175,
                                        176, 177, 181, 184, 185, 189, 194, 200, 205, 216};
static_assert(std::size(kLinkedDays) == kDayLinkCount);

struct DayCase {
    std::int32_t day;
    std::optional<std::string_view> title;
    std::string_view path;  // after the site's base address
};

class DayLinkLookup : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayLinkLookup, FindsTheEntryOfThatDayOnly) {
    const DayCase& c = GetParam();
    const std::optional<CDayLink> link = FindDayLink(c.day);
    EXPECT_EQ(HasDayLink(c.day), c.title.has_value());
    if (!c.title) {
        EXPECT_FALSE(link.has_value());
        return;
    }
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->strTitle, *c.title);
    EXPECT_EQ(link->strUrl, std::string(SiteBaseUrl()) + std::string(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    DayLinks, DayLinkLookup,
    ::testing::Values(
        DayCase{1, "Primeros consejos en el embarazo", "/consejos-practicos/durante-el-embarazo"},
        DayCase{0, std::nullopt, ""}, DayCase{2, std::nullopt, ""},
        DayCase{81, "Aprende cómo se va formando el bebé",
                "/material-de-consulta/menu-embarazo/documentos/220-formacion-del-bebe"},
        DayCase{175, "Sesión 8: el recién nacido",
                "/educacion-maternal-y-posparto/educacion-maternal-online/"
                "sesion-8-recien-nacido"},
        DayCase{176, "¡Enhorabuena! Ya puedes rellenar tu diploma",
                "/educacion-maternal-y-posparto/educacion-maternal-online/diploma-final"},
        DayCase{216, "Trámites a realizar para un nuevo bebé",
                "/material-de-consulta/postparto/recursos/"
                "80-tramites-nacimiento-de-un-hijo-en-espana"},
        DayCase{217, std::nullopt, ""}, DayCase{294, std::nullopt, ""},
        DayCase{-1, std::nullopt, ""}, DayCase{-216, std::nullopt, ""},
        DayCase{2147483647, std::nullopt, ""}, DayCase{-2147483647 - 1, std::nullopt, ""}));

TEST(DayLinks, LinkExactlyTheTableDaysAndNoOthers) {
    std::vector<std::int32_t> linked;
    for (std::int32_t day = -400; day <= 400; ++day) {
        EXPECT_EQ(HasDayLink(day), FindDayLink(day).has_value()) << day;
        if (HasDayLink(day)) {
            linked.push_back(day);
        }
    }
    EXPECT_EQ(linked, std::vector<std::int32_t>(std::begin(kLinkedDays), std::end(kLinkedDays)));
}

TEST(DayLinks, LessonEightAndTheDiplomaAreDifferentPages) {
    const auto lesson = FindDayLink(175);
    const auto diploma = FindDayLink(176);
    ASSERT_TRUE(lesson && diploma);
    EXPECT_NE(lesson->strUrl, diploma->strUrl);
    EXPECT_NE(lesson->strTitle, diploma->strTitle);
}

TEST(DayLinks, NoTwoDaysShareAPage) {
    for (std::size_t i = 0; i < std::size(kLinkedDays); ++i) {
        for (std::size_t j = i + 1; j < std::size(kLinkedDays); ++j) {
            EXPECT_NE(FindDayLink(kLinkedDays[i])->strUrl, FindDayLink(kLinkedDays[j])->strUrl)
                << kLinkedDays[i] << " and " << kLinkedDays[j];
        }
    }
}

TEST(DayLinks, SiteBaseUrlIsSchemeAndHostOnly) {
    const std::string_view base = SiteBaseUrl();
    const bool https = base.starts_with("https://");
    ASSERT_TRUE(https || base.starts_with("http://")) << base;
    const std::string_view host = base.substr(https ? 8 : 7);
    EXPECT_FALSE(host.empty());
    EXPECT_EQ(host.find('/'), std::string_view::npos) << base;
}

bool IsPlainUrlChar(char c) {
    // Letters, digits and the few marks a path needs; nothing a shell or a
    // browser's command line would read specially, and no white space.
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '/' || c == ':';
}

class EveryLink : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(EveryLink, AddressIsTheSiteFollowedByAPlainPath) {
    const auto link = FindDayLink(GetParam());
    ASSERT_TRUE(link.has_value());
    ASSERT_TRUE(link->strUrl.starts_with(SiteBaseUrl())) << link->strUrl;
    const std::string_view path = std::string_view(link->strUrl).substr(SiteBaseUrl().size());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    for (const char c : link->strUrl) {
        EXPECT_TRUE(IsPlainUrlChar(c)) << "'" << c << "' in " << link->strUrl;
    }
    EXPECT_LE(link->strUrl.size() + 1, kPanelBufferBytes);
}

TEST_P(EveryLink, TitleFitsThePanelOnceEncoded) {
    const auto link = FindDayLink(GetParam());
    ASSERT_TRUE(link.has_value());
    EXPECT_FALSE(link->strTitle.empty());
    const Result<std::string> encoded = EncodeWindows1252(link->strTitle);
    ASSERT_TRUE(encoded.ok()) << encoded.error().message;
    EXPECT_LE(encoded.value().size() + 1, kPanelBufferBytes);
    EXPECT_EQ(encoded.value().find_first_of("\r\n\t"), std::string::npos);
}

TEST_P(EveryLink, HasItsOwnReadingPage) {
    const auto link = FindDayLink(GetParam());
    ASSERT_TRUE(link.has_value());
    const std::optional<std::string_view> page = OfflinePageFor(link->strUrl);
    ASSERT_TRUE(page.has_value()) << link->strUrl;
    EXPECT_NE(*page, kHomePage);
    const std::optional<std::string_view> bytes = FindOfflinePage(*page);
    ASSERT_TRUE(bytes.has_value()) << *page;
    for (const std::int32_t other : kLinkedDays) {
        if (other != GetParam()) {
            EXPECT_NE(OfflinePageFor(FindDayLink(other)->strUrl), page) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DayLinks, EveryLink, ::testing::ValuesIn(kLinkedDays));

struct PageForCase {
    std::string_view path;  // after the site's base address
    std::optional<std::string_view> page;
};

class OfflinePageLookup : public ::testing::TestWithParam<PageForCase> {};

TEST_P(OfflinePageLookup, OnlyTheSiteAndItsLinksHavePages) {
    const std::string url = std::string(SiteBaseUrl()) + std::string(GetParam().path);
    EXPECT_EQ(OfflinePageFor(url), GetParam().page) << url;
}

INSTANTIATE_TEST_SUITE_P(
    DayLinks, OfflinePageLookup,
    ::testing::Values(PageForCase{"", kHomePage}, PageForCase{"/", kHomePage},
                      PageForCase{"/material-de-consulta/menu-embarazo/documentos/252-legislacion",
                                  "derechos.html"},
                      PageForCase{"/material-de-consulta/menu-embarazo/documentos/252-legislacio",
                                  std::nullopt},
                      PageForCase{"/consejos-practicos/durante-el-embarazo/", std::nullopt},
                      PageForCase{"//", std::nullopt}, PageForCase{".evil.test/", std::nullopt},
                      PageForCase{"/index.html", std::nullopt}));

TEST(DayLinks, AnotherSiteHasNoPages) {
    EXPECT_EQ(OfflinePageFor("https://www.gestalia.es/consejos-practicos/durante-el-embarazo"),
              std::nullopt);
    EXPECT_EQ(OfflinePageFor(""), std::nullopt);
}

// The link of a day's pregnancy week: the week's first entry, else the last
// one before the week.
struct WeekLinkCase {
    std::int32_t day;
    std::optional<std::int32_t> linkDay;
};

class WeekLinkLookup : public ::testing::TestWithParam<WeekLinkCase> {};

TEST_P(WeekLinkLookup, FindsTheLinkInForceThatWeek) {
    const std::optional<CDayLink> link = FindWeekLink(GetParam().day);
    ASSERT_EQ(link.has_value(), GetParam().linkDay.has_value());
    if (link) {
        EXPECT_EQ(link->strTitle, FindDayLink(*GetParam().linkDay)->strTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(DayLinks, WeekLinkLookup,
                         ::testing::Values(WeekLinkCase{0, 1}, WeekLinkCase{6, 1},
                                           WeekLinkCase{-3, 1}, WeekLinkCase{7, 1},
                                           WeekLinkCase{41, 1}, WeekLinkCase{42, 43},
                                           WeekLinkCase{70, 73}, WeekLinkCase{76, 73},
                                           WeekLinkCase{77, 81}, WeekLinkCase{300, 216},
                                           WeekLinkCase{-7, std::nullopt}));

}  // namespace
}  // namespace gestalia
