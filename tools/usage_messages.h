#pragma once
// gestalia-tool's argument parser, speaking Spanish: its help comes from the
// tool's manual page and its usage errors are said in Spanish, naming what is
// wrong ("orden desconocida: print").

#include <CLI/CLI.hpp>

#include <string>

#include "tools/manual_page.h"

namespace gestalia {

// Gives app (before its commands are added, so that they inherit it) the help
// flag -h/--help, the --version flag, help texts from the manual and Spanish
// failure messages.
void SpeakSpanish(CLI::App& app, const ManualPage& manual);

// What is wrong with the command line that app failed to parse, in Spanish,
// without the program's name: "orden desconocida: print",
// "dump: falta el argumento FICHERO".
std::string UsageErrorText(const CLI::App& app);

}  // namespace gestalia
