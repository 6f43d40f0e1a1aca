// CAboutDlg has no behaviour of its own: CDialog closes it on OK, Enter and Escape.
#include "app/about_dlg.h"
