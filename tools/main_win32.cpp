// gestalia-tool.exe: the same command on Windows. The arguments come in UTF-16
// and are handed on in UTF-8; what it prints is UTF-8, byte for byte as on
// Linux (no "\r\n" for "\n"), and the console is told so.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "model/clock.h"
#include "model/win32_text.h"
#include "tools/tool_commands.h"

int wmain(int argc, wchar_t** argv) {
    ::SetConsoleOutputCP(CP_UTF8);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);

    std::vector<std::string> args;
    args.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) {
        args.push_back(gestalia::win32::Utf8FromUtf16(argv[i]));
    }
    std::vector<const char*> pointers;
    for (const std::string& arg : args) {
        pointers.push_back(arg.c_str());
    }
    pointers.push_back(nullptr);

    const gestalia::CSystemClock clock;
    return gestalia::RunTool(argc, pointers.data(), clock, std::cout, std::cerr);
}
