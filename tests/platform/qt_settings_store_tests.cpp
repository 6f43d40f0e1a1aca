// The remembered agendas in QSettings' INI file: where it lies, what comes
// back, and a damaged file ignored and then written afresh.

#include <gtest/gtest.h>

#include <QString>

#include "platform/qt/qt_settings_store.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::CTempDir;

QString FileIn(const CTempDir& dir, const char* name) {
    return QString::fromStdString(dir.File(name));
}

TEST(QtSettingsStore, GivesBackWhatWasSaved) {
    CTempDir dir;
    CQtSettingsStore store(FileIn(dir, "g.conf"));
    EXPECT_TRUE(store.Load().recent.empty());
    const CRememberedAgendas saved{"/casa/año.gst", {"/casa/año.gst", "/b, c.gst", "/d=e.gst"}};
    store.Save(saved);
    const CRememberedAgendas loaded = CQtSettingsStore(FileIn(dir, "g.conf")).Load();
    EXPECT_EQ(loaded.strLast, saved.strLast);
    EXPECT_EQ(loaded.recent, saved.recent);
}

TEST(QtSettingsStore, ADamagedFileIsIgnoredAndWrittenAfresh) {
    CTempDir dir;
    const std::string path = dir.Write("g.conf", std::string("\xff\x00[agendas\nlast\x01", 16));
    CQtSettingsStore store(QString::fromStdString(path));
    EXPECT_EQ(store.Load().strLast, "");
    store.Save({"/a.gst", {"/a.gst"}});
    EXPECT_EQ(store.Load().recent, std::vector<std::string>{"/a.gst"});
}

TEST(QtSettingsStore, LivesInTheUsersConfigurationFolder) {
    CTempDir dir;
    const QByteArray kept = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.path().string()));
    CQtSettingsStore().Save({"/a.gst", {"/a.gst"}});
    if (kept.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", kept);
    }
    EXPECT_NE(test::ReadAll(dir.File("Gestalia/Gestalia.conf")).find("/a.gst"), std::string::npos);
}

}  // namespace
}  // namespace gestalia
