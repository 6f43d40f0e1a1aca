// gestalia-tool: inspects, checks and exports agenda files, and prints the
// pregnancy status texts, from the command line.

#include <iostream>

#include "model/clock.h"
#include "tools/tool_commands.h"

int main(int argc, char** argv) {
    const gestalia::CSystemClock clock;
    return gestalia::RunTool(argc, argv, clock, std::cout, std::cerr);
}
