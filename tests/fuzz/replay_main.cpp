// Runs the fuzz target once on every file named on the command line (a folder
// stands for the files in it, in name order), so that the corpus and every input
// that ever crashed are checked by the main compiler's sanitizer build, without
// libFuzzer. Exit status 0 when every input passed; a failing input aborts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Collect(const fs::path& arg, std::vector<fs::path>& files) {
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
        std::vector<fs::path> inside;
        for (const fs::directory_entry& e : fs::directory_iterator(arg, ec)) {
            if (e.is_regular_file()) {
                inside.push_back(e.path());
            }
        }
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
        return !ec;
    }
    if (fs::is_regular_file(arg, ec)) {
        files.push_back(arg);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!Collect(argv[i], files)) {
            std::cerr << "agenda_fuzz_replay: cannot read " << argv[i] << "\n";
            return 2;
        }
    }
    std::size_t bytes = 0;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::cerr << "agenda_fuzz_replay: cannot read " << file << "\n";
            return 2;
        }
        (void)LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                     input.size());
        bytes += input.size();
    }
    std::cout << "replayed " << files.size() << " inputs (" << bytes << " bytes)\n";
    return 0;
}
