#pragma once
// A window layer without a screen, for tests of window logic.
//
// CFakeDialogWindow is a live dialog built from a CDialogTemplate that keeps
// every control's state as plain values (visible, enabled, text, rectangle,
// date, check, font, bitmap) and lets a test act as the user (click a button,
// change a date). CFakeUiMetrics gives fixed desktop measures. CFakeUiServices runs modal dialogs,
// message boxes and file dialogs from answers that the test queues beforehand, and records what was
// shown. Whatever is asked without a queued answer fails the test at once
// (ADD_FAILURE) and is answered with "cancel", so no test can hang.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/colour.h"
#include "model/date_value.h"
#include "platform/dialog_template.h"
#include "platform/dialog_window.h"
#include "platform/ui_metrics.h"
#include "platform/ui_services.h"

namespace gestalia::test {

// One control of a fake window.
struct CFakeControl {
    CControlTemplate tmpl;
    bool bVisible = true;
    bool bEnabled = true;
    std::string strText;
    Rect rc;
    CDateValue dt;
    bool bCheck = false;
    std::optional<CControlFont> font;
    int nBitmap = 0;  // 0: no picture
    int nInvalidations = 0;
};

class CFakeDialogWindow : public IDialogWindow {
  public:
    // Controls start as the template says: hidden and disabled by their style,
    // rectangles converted from dialog units, the client area of the template's size.
    explicit CFakeDialogWindow(const CDialogTemplate& tmpl);
    CFakeDialogWindow(const CFakeDialogWindow&) = delete;
    CFakeDialogWindow& operator=(const CFakeDialogWindow&) = delete;

    // IDialogWindow. An id the template does not have fails the test.
    bool HasControl(int id) const override;
    void ShowControl(int id, bool bShow) override;
    bool IsControlVisible(int id) const override;
    void EnableControl(int id, bool bEnable) override;
    bool IsControlEnabled(int id) const override;
    void SetControlText(int id, std::string_view utf8) override;
    std::string GetControlText(int id) const override;
    void MoveControl(int id, const Rect& rc) override;
    Rect GetControlRect(int id) const override;
    void RaiseControl(int id) override;
    void SetControlFont(int id, const CControlFont& font) override;
    void SetButtonBitmap(int id, int bitmapId) override;
    void SetDate(int id, const CDateValue& dt) override;
    CDateValue GetDate(int id) const override;
    void SetCheck(int id, bool bChecked) override;
    bool GetCheck(int id) const override;
    void Invalidate(int id) override;
    void SetFocus(int id) override;
    void SetCaption(std::string_view utf8) override;
    Size GetClientSize() const override { return m_client; }
    void SetMinimumClientSize(Size client) override { m_minClient = client; }
    void AppendSystemMenu(std::string_view text, int nCommand) override;
    void EndDialog(int nResult) override;

    // The template the window was built from.
    const CDialogTemplate& Template() const { return m_tmpl; }
    // The first control with that id; nullptr (and a test failure) if none.
    CFakeControl* Control(int id);
    const CFakeControl* Control(int id) const;
    // Every control, in template order.
    const std::vector<CFakeControl>& Controls() const { return m_controls; }
    // Ids of the visible controls, in template order.
    std::vector<int> VisibleIds() const;

    const std::string& Caption() const { return m_strCaption; }
    struct CMenuEntry {
        std::string strText;
        int nCommand = 0;
    };
    const std::vector<CMenuEntry>& SystemMenu() const { return m_menu; }
    // Ids in the order they were raised to the top.
    const std::vector<int>& RaisedIds() const { return m_raised; }
    int WindowInvalidations() const { return m_nWindowInvalidations; }
    // The control the window logic last gave the focus; none if it never did.
    std::optional<int> Focus() const { return m_nFocus; }

    // The result of EndDialog, if it was called.
    std::optional<int> Result() const { return m_nResult; }

    // The minimum the window logic set (0 x 0 if none); Resize does not hold to it.
    Size MinimumClientSize() const { return m_minClient; }
    // Geometry as the platform would change it; does not call OnSize.
    void SetClientSize(Size client) { m_client = client; }

    // From now on the controls change what is set as real toolkits do: a
    // multi-line edit gives its lines back ending in "\r\n" (as Windows' edit
    // does), and a picker holds only a valid date (one set null or invalid
    // shows 30/12/1899).
    void ActLikeToolkits() { m_bLikeToolkits = true; }

    // The handler that the user's actions below reach. RunModal and Init set it.
    void SetHandler(IDialogHandler* handler) { m_pHandler = handler; }
    // Sets the handler and calls its OnInitDialog; gives its answer.
    bool Init(IDialogHandler& handler);

    // The user's actions. Each fails the test when no handler is set, and a
    // click on a control that is hidden or disabled fails it too (a user
    // could not have done it).
    void Click(int id);
    void ChangeDate(int id, const CDateValue& dt);
    void Resize(Size client);
    // Cancel, unless the template keeps Escape from closing the window.
    void PressEscape();
    // The close box: asks the handler, as a user's click would.
    void PressCloseBox();

  private:
    CFakeControl* Find(int id);
    const CFakeControl* Find(int id) const;
    CFakeControl* Require(int id, const char* what);
    const CFakeControl* Require(int id, const char* what) const;
    bool RequireHandler(const char* what) const;

    CDialogTemplate m_tmpl;
    std::vector<CFakeControl> m_controls;
    std::string m_strCaption;
    Size m_client;
    Size m_minClient;
    std::vector<CMenuEntry> m_menu;
    std::vector<int> m_raised;
    int m_nWindowInvalidations = 0;
    std::optional<int> m_nFocus;
    std::optional<int> m_nResult;
    IDialogHandler* m_pHandler = nullptr;
    bool m_bLikeToolkits = false;
};

// What a test does while a modal dialog runs: typically changes controls and
// then presses a button through the handler.
using DialogScript = std::function<void(CFakeDialogWindow&, IDialogHandler&)>;

struct CShownMessageBox {
    std::string strText;
    std::string strCaption;
    MbButtons buttons = MbButtons::Ok;
    MbIcon icon = MbIcon::None;
    MbDefault defaultButton = MbDefault::First;
};

struct CShownDialog {
    int nTemplateId = 0;
    std::string strCaption;  // the caption at the end of the run
    int nResult = IDCANCEL;
};

class CFakeUiServices : public IUiServices {
  public:
    CFakeUiServices() = default;
    CFakeUiServices(const CFakeUiServices&) = delete;
    CFakeUiServices& operator=(const CFakeUiServices&) = delete;
    // Answers queued but never asked for fail the test: it expected a question
    // that did not come.
    ~CFakeUiServices() override;

    // Answers, used in the order queued.
    void QueueDialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }
    void QueueMessageBox(int nAnswer) { m_boxAnswers.push_back(nAnswer); }
    // The modal windows run from now on act like real toolkits (ActLikeToolkits).
    void ActLikeToolkits() { m_bLikeToolkits = true; }
    void QueueSaveFile(std::optional<std::string> path) {
        m_saveAnswers.push_back(std::move(path));
    }
    void QueueOpenFile(std::optional<std::string> path) {
        m_openAnswers.push_back(std::move(path));
    }
    // Whether OpenUrl reports success (it records the address either way).
    void SetOpenUrlResult(bool b) { m_bOpenUrlResult = b; }
    // The cache folder the program is given; none until set.
    void SetCacheFolder(std::optional<std::string> folder) { m_cacheFolder = std::move(folder); }

    // IUiServices. A message box with only an OK button is answered IDOK
    // without a queued answer (there is nothing to decide); every other
    // question needs one.
    int RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) override;
    int MessageBox(std::string_view text, std::string_view caption, MbButtons buttons, MbIcon icon,
                   MbDefault defaultButton) override;
    std::optional<std::string> GetSaveFileName(const CFileDialogSpec& spec) override;
    std::optional<std::string> GetOpenFileName(const CFileDialogSpec& spec) override;
    bool OpenUrl(std::string_view url) override;
    std::optional<std::string> CacheFolder() override { return m_cacheFolder; }

    // What was shown.
    const std::vector<CShownMessageBox>& MessageBoxes() const { return m_boxes; }
    const std::vector<CShownDialog>& Dialogs() const { return m_shownDialogs; }
    const std::vector<CFileDialogSpec>& SaveDialogs() const { return m_saveSpecs; }
    const std::vector<CFileDialogSpec>& OpenDialogs() const { return m_openSpecs; }
    const std::vector<std::string>& OpenedUrls() const { return m_urls; }
    // True when every queued answer has been used.
    bool AllAnswersUsed() const;

  private:
    std::deque<DialogScript> m_dialogs;
    std::deque<int> m_boxAnswers;
    bool m_bLikeToolkits = false;
    std::deque<std::optional<std::string>> m_saveAnswers;
    std::deque<std::optional<std::string>> m_openAnswers;
    bool m_bOpenUrlResult = true;
    std::optional<std::string> m_cacheFolder;

    std::vector<CShownMessageBox> m_boxes;
    std::vector<CShownDialog> m_shownDialogs;
    std::vector<CFileDialogSpec> m_saveSpecs;
    std::vector<CFileDialogSpec> m_openSpecs;
    std::vector<std::string> m_urls;
};

// The desktop's measures as a test wants them.
class CFakeUiMetrics : public IUiMetrics {
  public:
    int ScrollBarWidth() const override { return 17; }
};

}  // namespace gestalia::test
