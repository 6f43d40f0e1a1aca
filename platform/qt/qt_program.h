#pragma once
// What the program does around its QApplication before the first window:
// fontconfig's configuration read while the application connects to the
// display, then its name and desktop entry, its icon, the Spanish locale and
// Qt's Spanish texts, and the style. The entry point and the start-up
// benchmark both use it, so that the benchmark starts what the program starts.

#include <thread>

class QTranslator;

namespace gestalia {

// Reads fontconfig's configuration and font lists on a thread of its own,
// from construction until Wait (or destruction). Qt reads them the first time
// it resolves a font, which the main window does while it is built: some
// milliseconds of parsing that can as well go beside the connection to the
// display. Fontconfig makes its configuration once, whichever thread asks
// first, and may be called from several. Make it before the QApplication and
// Wait once the application is made, before the first window.
class CFontConfigLoader {
  public:
    CFontConfigLoader();
    ~CFontConfigLoader();
    CFontConfigLoader(const CFontConfigLoader&) = delete;
    CFontConfigLoader& operator=(const CFontConfigLoader&) = delete;

    // Returns once the configuration is read; then and afterwards at once.
    void Wait();

  private:
    std::thread m_thread;
};

// Call once, right after the QApplication is made. `qtTranslator` receives
// Qt's own Spanish texts and must outlive the application's windows.
void PrepareApplication(QTranslator& qtTranslator);

}  // namespace gestalia
