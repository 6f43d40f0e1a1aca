// The program starts no command interpreter and no other process: no system(),
// popen(), exec*(), posix_spawn(), wordexp() or QProcess anywhere in its
// sources or tests, and no shell named in a string. Web addresses go to the
// desktop through IUiServices::OpenUrl only: on Windows its one ShellExecuteW
// "open" call, after the address was checked, is the one call allowed.
//
// The scan blanks comments and string literals before it looks for calls, so a
// comment that talks about the operating system does not count, while a string
// naming a shell does.

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace gestalia {
namespace {

namespace fs = std::filesystem;

// The tests that check this: this file names what it looks for, and the
// command-line and web-link tests feed shell commands to the program as data.
constexpr std::array kCheckingTests = {"tests/reliability/no_shell_test.cpp",
                                       "tests/reliability/bad_command_line_test.cpp"};

// The calls allowed where they are, once each: the Windows OpenUrl hands a
// checked http or https address to the desktop's browser.
struct CAllowedCall {
    const char* file;
    const char* call;
};
constexpr std::array kAllowedCalls = {
    CAllowedCall{"platform/win32/win32_ui_services.cpp", "ShellExecuteW()"}};

constexpr std::array kFolders = {"app",   "bench",    "calendar",  "content", "dialogs",
                                 "model", "platform", "resources", "tests",   "tools"};
constexpr std::array kExtensions = {".h", ".hpp", ".cpp", ".cc", ".cxx", ".in"};

// The source with comments blanked and string and character literals emptied;
// the literals' contents are collected apart.
struct CSplitSource {
    std::string code;
    std::vector<std::string> literals;
};

CSplitSource Split(const std::string& text) {
    CSplitSource out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            const std::size_t end = text.find('\n', i);
            i = end == std::string::npos ? n : end;
            out.code += ' ';
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const std::size_t end = text.find("*/", i + 2);
            i = end == std::string::npos ? n : end + 2;
            out.code += ' ';
        } else if (c == 'R' && i + 1 < n && text[i + 1] == '"' &&
                   (i == 0 || !(std::isalnum(static_cast<unsigned char>(text[i - 1])) ||
                                text[i - 1] == '_'))) {
            const std::size_t open = text.find('(', i + 2);
            if (open == std::string::npos) {
                break;
            }
            const std::string close = ")" + text.substr(i + 2, open - i - 2) + "\"";
            const std::size_t end = text.find(close, open + 1);
            const std::size_t stop = end == std::string::npos ? n : end;
            out.literals.push_back(text.substr(open + 1, stop - open - 1));
            i = end == std::string::npos ? n : end + close.size();
            out.code += "\"\"";
        } else if (c == '"' || c == '\'') {
            std::string literal;
            std::size_t j = i + 1;
            while (j < n && text[j] != c && text[j] != '\n') {
                if (text[j] == '\\' && j + 1 < n) {
                    literal += text[j + 1];
                    j += 2;
                } else {
                    literal += text[j++];
                }
            }
            out.literals.push_back(literal);
            i = j + 1;
            out.code += c;
            out.code += c;
        } else {
            out.code += c;
            ++i;
        }
    }
    return out;
}

// What in a source starts another program; empty when nothing does.
std::vector<std::string> Offences(const std::string& text) {
    const std::regex call(
        R"((^|[^A-Za-z0-9_.>])(system|popen|_popen|execl|execlp|execle|execv|execvp|execvpe|)"
        R"(execve|execveat|fexecve|posix_spawn|posix_spawnp|wordexp|ShellExecuteA?W?|)"
        R"(ShellExecuteExA?W?|WinExec|CreateProcessA?W?)\s*\()");
    const std::regex qprocess(R"(\bQProcess\b)");
    const std::regex shell(
        R"((^|[^A-Za-z0-9_])(/(usr/)?bin/(sh|bash|dash|zsh)\b|(sh|bash) +-c\b|cmd(\.exe)? +/[ck]\b|)"
        R"(powershell|start +https?:)|^start +$)");
    const CSplitSource split = Split(text);
    std::vector<std::string> found;
    for (std::sregex_iterator it(split.code.begin(), split.code.end(), call), end; it != end;
         ++it) {
        found.push_back((*it)[2].str() + "()");
    }
    if (std::regex_search(split.code, qprocess)) {
        found.emplace_back("QProcess");
    }
    for (const std::string& literal : split.literals) {
        if (std::regex_search(literal, shell)) {
            found.push_back("a shell named in \"" + literal + "\"");
        }
    }
    return found;
}

// The offences of one file, without the calls allowed there (one each).
std::vector<std::string> Disallowed(const std::string& relative, std::vector<std::string> found) {
    for (const CAllowedCall& allowed : kAllowedCalls) {
        if (relative != allowed.file) {
            continue;
        }
        const auto it = std::find(found.begin(), found.end(), allowed.call);
        if (it != found.end()) {
            found.erase(it);
        }
    }
    return found;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The scanner itself: what it must catch and what it must let pass.
struct ScanCase {
    const char* name;
    const char* source;
    bool offends;
};

class ShellScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ShellScanTest, FlagsOnlyWaysToStartAProgram) {
    EXPECT_EQ(!Offences(GetParam().source).empty(), GetParam().offends) << GetParam().source;
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, ShellScanTest,
    ::testing::Values(
        ScanCase{"System", "int r = system(cmd.c_str());", true},
        ScanCase{"StdSystem", "std::system(\"start x\");", true},
        ScanCase{"GlobalSystem", "(void)::system (cmd);", true},
        ScanCase{"Popen", "FILE* f = popen(cmd, \"r\");", true},
        ScanCase{"Execvp", "execvp(argv[0], argv);", true},
        ScanCase{"Execl", "execl(path, path, nullptr);", true},
        ScanCase{"PosixSpawn", "posix_spawnp(&pid, file, 0, 0, argv, envp);", true},
        ScanCase{"Wordexp", "wordexp(text, &w, 0);", true},
        ScanCase{"QProcessStart", "QProcess::startDetached(program);", true},
        ScanCase{"ShellInString", "const char* k = \"/bin/sh\";", true},
        ScanCase{"CmdInString", "std::string c = \"cmd /c start \";", true},
        ScanCase{"ShellDashC", "const char* a[] = {\"sh\", \"-c\", \"sh -c id\"};", true},
        ScanCase{"StartUrl", "std::string s = \"start https://x\";", true},
        ScanCase{"StartPrefix", "std::string s = \"start \" + url;", true},
        ScanCase{"ShellExecute", "ShellExecuteA(nullptr, \"open\", url, 0, 0, 1);", true},
        ScanCase{"Filesystem", "std::filesystem::path p(\"a\");", false},
        ScanCase{"SystemCategory", "std::system_category().message(e);", false},
        ScanCase{"SystemClock", "std::chrono::system_clock::now();", false},
        ScanCase{"Comment", "// the operating system (not ours) opens it\nint x;", false},
        ScanCase{"BlockComment", "/* popen(\"x\") */ int y;", false},
        ScanCase{"CallInString", "Log(\"system(\");", false},
        ScanCase{"MemberNamed", "ui.OpenUrl(url); item.execute(1);", false},
        ScanCase{"ShortWords", "Say(\"sh\" \"bash the cmd key\");", false}),
    [](const ::testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST(NoShellTest, TheWindowsOpenUrlCallIsAllowedOnceThereOnly) {
    const std::string once = "ShellExecuteW(nullptr, L\"open\", url, nullptr, nullptr, 1);";
    EXPECT_TRUE(Disallowed("platform/win32/win32_ui_services.cpp", Offences(once)).empty());
    EXPECT_EQ(Disallowed("platform/win32/win32_ui_services.cpp", Offences(once + once)).size(), 1u);
    EXPECT_EQ(Disallowed("app/agenda_flows.cpp", Offences(once)).size(), 1u);
    EXPECT_EQ(
        Disallowed("platform/win32/win32_ui_services.cpp", Offences("ShellExecuteExW(&info);"))
            .size(),
        1u);
}

TEST(NoShellTest, NoSourceStartsAnotherProgram) {
    const fs::path root = GESTALIA_SOURCE_DIR;
    std::size_t scanned = 0;
    std::vector<std::string> offences;
    for (const char* folder : kFolders) {
        const fs::path dir = root / folder;
        if (!fs::is_directory(dir)) {
            continue;
        }
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
            const std::string ext = e.path().extension().string();
            if (!e.is_regular_file() ||
                std::find(kExtensions.begin(), kExtensions.end(), ext) == kExtensions.end()) {
                continue;
            }
            const std::string relative = fs::relative(e.path(), root).generic_string();
            if (std::find(kCheckingTests.begin(), kCheckingTests.end(), relative) !=
                kCheckingTests.end()) {
                continue;
            }
            ++scanned;
            for (const std::string& what : Disallowed(relative, Offences(ReadAll(e.path())))) {
                offences.push_back(relative + ": " + what);
            }
        }
    }
    EXPECT_GT(scanned, 20u) << "the source tree was not found at " << root;
    EXPECT_TRUE(offences.empty()) << ::testing::PrintToString(offences);
    RecordProperty("files_scanned", static_cast<int>(scanned));
}

}  // namespace
}  // namespace gestalia
