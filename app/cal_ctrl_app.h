#pragma once
// CCalCtrlApp: the application. It takes the agenda path from the command line,
// runs the main window modally and returns when it closes.

#include <string>
#include <string_view>
#include <vector>

namespace gestalia {

class IClock;
class ISettingsStore;
class IUiMetrics;
class IUiServices;
struct CGlobals;

// The command-line record: the last argument, switch or not, with its switch
// character removed. Any length is kept whole.
class CCustomCommandLineInfo {
  public:
    // Called once per argument, in order. `param` is the argument without its
    // switch character; `bFlag` tells whether it had one; `bLast` whether it is
    // the last argument.
    void ParseParam(std::string_view param, bool bFlag, bool bLast);

    std::string m_szLastParam;
};

// Walks the arguments (the program name not included) and hands each to
// ParseParam. A leading "-" marks a switch and is removed; "/" is not taken
// as a switch, since on this platform it starts every absolute path.
void ParseCommandLine(const std::vector<std::string>& args, CCustomCommandLineInfo& info);

class CCalCtrlApp {
  public:
    // Everything passed in must outlive the application. Without a settings
    // store no agenda is remembered between runs.
    CCalCtrlApp(CGlobals& globals, IUiServices& ui, const IUiMetrics& metrics, const IClock& clock,
                ISettingsStore* settings = nullptr)
        : m_globals(globals), m_ui(ui), m_metrics(metrics), m_clock(clock), m_pSettings(settings) {}

    // The whole life of the program: parse the arguments (without the program
    // name), set the agenda path, run the main window. Without an argument
    // the window reopens the agenda she had open last. Returns false: there is
    // nothing more to run when the window closes.
    bool InitInstance(const std::vector<std::string>& args);

  private:
    CGlobals& m_globals;
    IUiServices& m_ui;
    const IUiMetrics& m_metrics;
    const IClock& m_clock;
    ISettingsStore* const m_pSettings;
};

}  // namespace gestalia
