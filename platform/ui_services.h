#pragma once
// The platform's modal services: running a dialog, message boxes, the file
// dialogs and opening a web address. Every call can be answered by a test.
//
// What a toolkit implementation provides: RunModal builds the window from
// the template (dialog_window.h) over the active modal window, runs it until
// EndDialog and destroys it before returning. A message box shows its
// buttons in order, MbDefault naming the one Enter presses and the last
// answering Escape and the close box. The file dialogs offer each filter as
// "description (pattern)" with nFilterIndex preselected, under strTitle, the open dialog
// only existing files when bFileMustExist, and ask before replacing a file
// only when bConfirmOverwrite. OpenUrl takes only a valid http or https
// address with a host, or the file: address of a reading page in the cache
// folder or of a report page (platform/openable_url.h), and hands it to the
// desktop as one
// address, never through a command interpreter. Paths and texts are UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gestalia {

class IDialogHandler;
struct CDialogTemplate;

enum class MbButtons { Ok, YesNo, YesNoCancel };
// The button that Enter presses. A question whose "yes" can destroy data makes
// the harmless answer the default.
enum class MbDefault { First, Second, Third };
enum class MbIcon { None, Question, Warning };

struct CFileFilter {
    std::string strDescription;  // "Agendas Brotela"
    std::string strPattern;      // "*.gst"
};

struct CFileDialogSpec {
    std::string strTitle;  // the dialog's caption, "Abrir agenda"
    std::vector<CFileFilter> filters;
    int nFilterIndex = 1;            // 1-based: which filter is preselected
    bool bFileMustExist = false;     // open dialog
    bool bConfirmOverwrite = false;  // save dialog
};

class IUiServices {
  public:
    virtual ~IUiServices() = default;

    // Builds the dialog, runs it modally and gives the EndDialog result.
    virtual int RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) = 0;
    // IDOK, IDYES, IDNO or IDCANCEL (Escape, or the box closed, answers
    // IDCANCEL where there is such a button and IDNO otherwise).
    virtual int MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                           MbIcon icon, MbDefault defaultButton) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> GetSaveFileName(const CFileDialogSpec& spec) = 0;
    virtual std::optional<std::string> GetOpenFileName(const CFileDialogSpec& spec) = 0;
    // Hands an http or https address, or a cached reading page's or a
    // report page's file: address, to the desktop; never through a shell. False when refused or
    // when the desktop could not open it.
    virtual bool OpenUrl(std::string_view url) = 0;
    // The folder where the program may keep files it can make again (an
    // absolute path), or nothing when the system names none.
    virtual std::optional<std::string> CacheFolder() = 0;
};

}  // namespace gestalia
