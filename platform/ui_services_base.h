#pragma once
// CUiServicesBase: what both toolkits' modal services share. A message box's
// buttons, words and answers are worked out here (modal_choices.h), and an
// answer she could not have given becomes the Escape answer; the file
// dialogs are one call with the kind of dialog; a web address is checked
// (openable_url.h) before any toolkit sees it; the cache folder is named once.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/modal_choices.h"
#include "platform/openable_url.h"
#include "platform/ui_services.h"

namespace gestalia {

// A message box as a toolkit shows it.
struct CMessageBoxSpec {
    std::string_view strText;
    std::string_view strCaption;
    MbButtons buttons = MbButtons::Ok;
    MbIcon icon = MbIcon::None;
    MbDefault defaultButton = MbDefault::First;
    std::vector<CChoice> choices;  // the buttons in order, with their words
    int nDefault = IDOK;           // the answer Enter gives
    int nEscape = IDOK;            // the answer Escape and the close box give
};

class CUiServicesBase : public IUiServices {
  public:
    // `cacheFolder`: the system's folder for files the program can make
    // again, named once as the services are made.
    explicit CUiServicesBase(std::optional<std::string> cacheFolder)
        : m_cacheFolder(std::move(cacheFolder)) {}

    int MessageBox(std::string_view text, std::string_view caption, MbButtons buttons, MbIcon icon,
                   MbDefault defaultButton) final;
    std::optional<std::string> GetSaveFileName(const CFileDialogSpec& spec) final {
        return ChooseFile(spec, true);
    }
    std::optional<std::string> GetOpenFileName(const CFileDialogSpec& spec) final {
        return ChooseFile(spec, false);
    }
    bool OpenUrl(std::string_view url) final;
    std::optional<std::string> CacheFolder() final { return m_cacheFolder; }

  protected:
    // The answer of the button she pressed; none when she closed the box.
    virtual std::optional<int> ShowMessageBox(const CMessageBoxSpec& box) = 0;
    virtual std::optional<std::string> ChooseFile(const CFileDialogSpec& spec, bool bSave) = 0;
    // Hands a checked target to the desktop; false when it could not open it.
    virtual bool OpenTarget(const COpenTarget& target) = 0;

  private:
    std::optional<std::string> m_cacheFolder;
};

}  // namespace gestalia
