#pragma once
// CAboutDlg: the About box (template 100). Its OK button closes it.

#include "platform/dialog.h"

namespace gestalia {

class CAboutDlg : public CDialog {};

}  // namespace gestalia
