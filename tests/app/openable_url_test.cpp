#include "platform/openable_url.h"

#include <gtest/gtest.h>

#include <string>

namespace gestalia {
namespace {

struct UrlCase {
    const char* url;
    bool bOpenable;
};

class OpenableUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(OpenableUrlTest, OnlyHttpAndHttpsWithAHost) {
    EXPECT_EQ(IsOpenableUrl(GetParam().url), GetParam().bOpenable) << GetParam().url;
}

INSTANTIATE_TEST_SUITE_P(
    Urls, OpenableUrlTest,
    ::testing::Values(UrlCase{"https://www.gestalia.example/consejos", true},
                      UrlCase{"HTTP://www.gestalia.example", true},
                      UrlCase{"https://www.gestalia.example/a?b=1&c=$(id);d='x'!*,+", true},
                      UrlCase{"http://www.gestalia.example:8080/semana%2012#arriba", true},
                      UrlCase{"https://ana@[::1]:443/", true},
                      UrlCase{"ftp://www.gestalia.example", false},
                      UrlCase{"mailto:ana@gestalia.example", false},
                      UrlCase{"file:///etc/passwd", false}, UrlCase{"javascript:alert(1)", false},
                      UrlCase{"/etc/passwd", false}, UrlCase{"https://", false}, UrlCase{"", false},
                      UrlCase{"https:www.gestalia.example", false},
                      UrlCase{"https://www.gestalia.example/a b", false},
                      UrlCase{"https://www.gestalia.example/\"&calc", false},
                      UrlCase{"https://www.gestalia.example/%zz", false},
                      UrlCase{"https://www.gestalia.example:99999/", false},
                      UrlCase{"https://www.gestalia.example/#a#b", false}));

}  // namespace
}  // namespace gestalia
