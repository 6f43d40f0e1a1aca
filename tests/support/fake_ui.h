#pragma once
// A window layer without a screen, for tests of window logic.
//
// CFakeDialogWindow is a live dialog built from a CDialogTemplate on the
// window layer's shared part (CDialogWindowBase): every control's state as
// plain values (visible, enabled, text, rectangle, date, check, font, bitmap),
// and the rules every toolkit follows; a test acts as the user (clicks a
// button, changes a date, presses Enter). CFakeUiMetrics gives fixed desktop measures.
// CFakeUiServices runs modal dialogs, message boxes and file dialogs from answers that the test
// queues beforehand, and records what was shown. Whatever is asked without a queued answer fails
// the test at once (ADD_FAILURE) and is answered with "cancel", so no test can hang.

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
#include "platform/dialog_window_base.h"
#include "platform/ui_metrics.h"
#include "platform/ui_services.h"

namespace gestalia::test {

// One control of a fake window: the state the window logic set, as every
// window layer keeps it.
using CFakeControl = CControlSlot;

class CFakeDialogWindow : public CDialogWindowBase {
  public:
    // Controls start as the template says: hidden and disabled by their style,
    // rectangles converted from dialog units, the client area of the template's
    // size. Every IDialogWindow call on an id the template does not have fails
    // the test.
    explicit CFakeDialogWindow(const CDialogTemplate& tmpl);

    // The first control with that id; nullptr (and a test failure) if none.
    CFakeControl* Control(int id);
    const CFakeControl* Control(int id) const;
    // Every control, in template order.
    const std::vector<CFakeControl>& Controls() const { return Slots(); }
    // Ids of the visible controls, in template order.
    std::vector<int> VisibleIds() const;

    // Ids in the order they were raised to the top.
    const std::vector<int>& RaisedIds() const { return m_raised; }
    int WindowInvalidations() const { return m_nWindowInvalidations; }
    // The control the window logic last gave the focus; none if it never did.
    std::optional<int> Focus() const { return m_nFocus; }

    // Geometry as the platform would change it; does not call OnSize (nor
    // does Resize hold to the minimum size).
    void SetClientSize(Size client) { m_client = client; }

    // From now on the controls change what is set as real toolkits do: a
    // multi-line edit gives its lines back ending in "\r\n" (as Windows' edit
    // does), and a picker shows only a valid date (from the first one set;
    // before it, 30/12/1899), its value merged as the pickers merge it.
    void ActLikeToolkits() { m_bLikeToolkits = true; }

    // The handler that the user's actions below reach. RunModal and Init set it.
    void SetHandler(IDialogHandler* handler) { CDialogWindowBase::SetHandler(handler); }
    // Sets the handler and calls its OnInitDialog (then asks each control's
    // colours); gives its answer.
    bool Init(IDialogHandler& handler);
    // The window goes away: the handler's OnDestroy, once.
    void Destroy() { Destroyed(); }

    // The user's actions. Each fails the test when no handler is set, and an
    // action on a control that is hidden or disabled fails it too (a user
    // could not have done it).
    void Click(int id);
    // She chooses a date (or a time) in a picker: it shows that part of `dt`.
    void ChangeDate(int id, const CDateValue& dt);
    void Resize(Size client);
    // Enter, with the focus where the window logic last put it.
    void PressEnter();
    // Cancel, unless the template keeps Escape from closing the window.
    void PressEscape();
    // The close box: asks the handler, as a user's click would.
    void PressCloseBox();

  private:
    void Push(CControlSlot& slot, Part part) override;
    void PushWindow(WindowPart part) override;
    CShownValue Shown(const CControlSlot& slot) const override;
    Size ClientSize() const override { return m_client; }
    void Missing(int id, const char* what) const override;

    bool RequireHandler(const char* what) const;
    CFakeControl* RequireUsable(int id, const char* what);

    Size m_client;
    std::vector<int> m_raised;
    int m_nWindowInvalidations = 0;
    std::optional<int> m_nFocus;
    // What each picker shows, by template order, once it shows something of
    // its own (she chose it, or the fake acts like toolkits).
    std::vector<std::optional<CDateValue>> m_shown;
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
