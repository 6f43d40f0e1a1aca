#pragma once
// What the program sets on its QApplication before the first window: its
// name and desktop entry, its icon, the Spanish locale and Qt's Spanish
// texts, and the style. The entry point and the start-up benchmark both
// call it, so that the benchmark starts what the program starts.

class QTranslator;

namespace gestalia {

// Call once, right after the QApplication is made. `qtTranslator` receives
// Qt's own Spanish texts and must outlive the application's windows.
void PrepareApplication(QTranslator& qtTranslator);

}  // namespace gestalia
