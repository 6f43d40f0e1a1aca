#pragma once
// A main window on the fake window layer, a clock standing at 15 March 2027
// 10:00, and a temporary folder for agenda files, with the program's cache
// folder inside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/cal_ctrl_dlg.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace gestalia::test {

inline constexpr int kYear = 2027;
inline constexpr int kMonth = 3;
inline constexpr int kDay = 15;

// The controls visible in the window's states.
inline const std::set<int> kNoAgendaVisible = {IDCANCEL, IDC_CREATE_AGENDA, IDC_OPEN_AGENDA,
                                               IDC_SITE, IDC_WELCOME};
inline const std::set<int> kCreatingVisible = {
    IDCANCEL,        IDC_CREATE_AGENDA, IDC_OPEN_AGENDA, IDC_SITE, IDC_LAST_PERIOD_LABEL,
    IDC_LAST_PERIOD, IDC_AGENDA_TITLE};
inline const std::set<int> kAgendaVisible = {
    IDCANCEL,          IDC_CREATE_AGENDA,     IDC_OPEN_AGENDA,
    IDC_SITE,          IDC_LAST_PERIOD_LABEL, IDC_LAST_PERIOD,
    IDC_AGENDA_TITLE,  IDC_DUE_DATE,          IDC_DAYS_LEFT,
    IDC_WEEKS,         IDC_MONTH_TEXT,        IDC_PREVIOUS,
    IDC_NEXT,          IDC_TIP_TITLE,         IDC_CALENDAR,
    IDC_HINT,          IDC_DAY_TEXT,          IDC_TIP_TEXT,
    IDC_WEIGHT_BUTTON, IDC_DATING_BUTTON,     IDC_PROFILE_BUTTON,
    IDC_REPORT_BUTTON, IDC_EXPORT_BUTTON};

// A name typed in a save dialog where "otra.gst" already exists, with or
// without the extension, and her answer to the question whether to replace it.
struct ReplaceCase {
    const char* typed;
    int answer;  // IDYES or IDNO
};

inline const auto kReplaceCases =
    ::testing::Values(ReplaceCase{"otra", IDNO}, ReplaceCase{"otra.gst", IDNO},
                      ReplaceCase{"otra", IDYES}, ReplaceCase{"otra.gst", IDYES});

inline std::string ReplaceCaseName(const ::testing::TestParamInfo<ReplaceCase>& info) {
    std::string name = info.param.typed;
    name.erase(std::remove(name.begin(), name.end(), '.'), name.end());
    return name + (info.param.answer == IDYES ? "Yes" : "No");
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.ok());
        ui.SetCacheFolder(CacheFolder());
    }

    std::string CacheFolder() const { return tmp.File("cache"); }

    // Runs the window's set-up with an agenda path (empty: none).
    void Start(const std::string& path = {}) {
        globals.szAgendaPath = path;
        EXPECT_FALSE(window.Init(dlg)) << "the window gives the first focus itself";
    }

    std::set<int> Visible() const {
        const std::vector<int> ids = window.VisibleIds();
        return {ids.begin(), ids.end()};
    }

    // Writes an agenda file with the last-period date and notes with these texts.
    std::string WriteAgenda(const std::string& name, const CDateValue& lastPeriod,
                            const std::vector<std::string>& texts = {}) {
        CAgendaData data;
        data.dtLastPeriod = lastPeriod;
        for (const std::string& text : texts) {
            CAgendaRecord record;
            record.strText = text;
            record.dtFrom = CDateValue(kYear, kMonth, kDay, 9, 0, 0);
            record.dtTo = CDateValue(kYear, kMonth, kDay, 10, 0, 0);
            record.nImage = 1;
            record.fWeight = 61.5f;
            data.items.push_back(record);
        }
        Result<std::string> bytes = SerializeAgenda(data);
        EXPECT_TRUE(bytes.ok());
        const std::string path = tmp.File(name);
        if (bytes.ok()) {
            WriteAll(path, bytes.value());
        }
        return path;
    }

    // The agenda a file holds now.
    CAgendaData ReadAgenda(const std::string& path) {
        Result<CAgendaData> data = ParseAgenda(ReadAll(path));
        EXPECT_TRUE(data.ok()) << path;
        return data.ok() ? data.value() : CAgendaData{};
    }

    std::string Text(int id) const { return window.GetControlText(id); }

    CTempDir tmp;
    CFixedClock clock{CFixedClock::LocalSeconds(kYear, kMonth, kDay, 10, 0, 0)};
    CGlobals globals;
    CFakeUiServices ui;
    CFakeUiMetrics metrics;
    CCalCtrlDlg dlg{globals, ui, metrics, clock};
    CFakeDialogWindow window{MainDialogTemplate()};
};

}  // namespace gestalia::test
