// Writes the manual pages gestalia.1 and gestalia-tool.1 into the folder given
// as the one argument. The build runs it; the pages are never edited by hand.

#include <fstream>
#include <iostream>
#include <string>

#include "gestalia_version.h"
#include "tools/manual_pages.h"

namespace {

bool WritePage(const std::string& folder, const gestalia::ManualPage& page) {
    const std::string path = folder + "/" + page.name + ".1";
    std::ofstream out(path, std::ios::binary);
    out << gestalia::RenderManPage(page, gestalia::kGestaliaVersion);
    out.close();
    if (!out) {
        std::cerr << "make_manpages: no puedo escribir " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Uso: make_manpages CARPETA\n";
        return 2;
    }
    const bool ok =
        WritePage(argv[1], gestalia::ProgramManual()) && WritePage(argv[1], gestalia::ToolManual());
    return ok ? 0 : 1;
}
