// The remembered agendas in the registry: what comes back, and values of the
// wrong type read as none and replaced by the next save. A key of its own,
// removed at the end, stands in for HKEY_CURRENT_USER\Software\Gestalia.

#include <gtest/gtest.h>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_settings_store.h"

namespace gestalia::win32 {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    static constexpr const wchar_t* kKey = L"Software\\Gestalia-tests";
    CWin32SettingsStore store{kKey};
};

TEST_F(SettingsStoreTest, GivesBackWhatWasSaved) {
    EXPECT_TRUE(store.Load().recent.empty());
    const CRememberedAgendas saved{"C:\\casa\\año.gst", {"C:\\casa\\año.gst", "D:\\b.gst"}};
    store.Save(saved);
    const CRememberedAgendas loaded = store.Load();
    EXPECT_EQ(loaded.strLast, saved.strLast);
    EXPECT_EQ(loaded.recent, saved.recent);
}

TEST_F(SettingsStoreTest, ValuesOfAnotherTypeAreIgnoredAndReplaced) {
    const DWORD number = 7;
    for (const wchar_t* name : {L"LastAgenda", L"RecentAgendas"}) {
        ASSERT_EQ(
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &number, sizeof(number)),
            ERROR_SUCCESS);
    }
    EXPECT_EQ(store.Load().strLast, "");
    EXPECT_TRUE(store.Load().recent.empty());
    store.Save({"C:\\a.gst", {"C:\\a.gst"}});
    EXPECT_EQ(store.Load().recent, std::vector<std::string>{"C:\\a.gst"});
}

}  // namespace
}  // namespace gestalia::win32
