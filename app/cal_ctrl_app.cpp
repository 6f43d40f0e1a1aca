#include "app/cal_ctrl_app.h"

#include "app/cal_ctrl_dlg.h"
#include "model/globals.h"
#include "platform/ui_services.h"
#include "resources/dialog_templates.h"

namespace gestalia {

void CCustomCommandLineInfo::ParseParam(std::string_view param, bool /*bFlag*/, bool /*bLast*/) {
    // Every argument replaces the one before: the last one wins.
    m_szLastParam.assign(param);
}

void ParseCommandLine(const std::vector<std::string>& args, CCustomCommandLineInfo& info) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view param = args[i];
        const bool bFlag = !param.empty() && param.front() == '-';
        if (bFlag) {
            param.remove_prefix(1);
        }
        info.ParseParam(param, bFlag, i + 1 == args.size());
    }
}

bool CCalCtrlApp::InitInstance(const std::vector<std::string>& args) {
    CCustomCommandLineInfo cmdInfo;
    ParseCommandLine(args, cmdInfo);
    m_globals.szAgendaPath = cmdInfo.m_szLastParam;

    CCalCtrlDlg dlg(m_globals, m_ui, m_metrics, m_clock, m_pSettings);
    m_ui.RunModal(MainDialogTemplate(), dlg);
    return false;
}

}  // namespace gestalia
