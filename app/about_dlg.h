#pragma once
// CAboutDlg: the About box (template 100). It names the program and its
// version; its OK button closes it.

#include <string>

#include "platform/dialog.h"

namespace gestalia {

// "Gestalia versión 1.0": the About box's text, with the build's version.
std::string AboutVersionText();

class CAboutDlg : public CDialog {
  public:
    bool OnInitDialog(IDialogWindow& window) override;
};

}  // namespace gestalia
