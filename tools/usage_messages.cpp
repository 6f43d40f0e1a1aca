#include "tools/usage_messages.h"

#include <algorithm>
#include <vector>

#include "gestalia_version.h"
#include "tools/manual_pages.h"

namespace gestalia {

namespace {

std::string UnexpectedText(const std::string& argument) {
    return (argument.starts_with('-') ? "opción desconocida: " : "sobra el argumento: ") + argument;
}

std::string CommandNames() {
    std::string names;
    for (const ToolCommandDoc& command : kToolCommands) {
        names += (names.empty() ? "" : ", ") + std::string(command.name);
    }
    return names;
}

std::string HelpFor(const CLI::App& app, const ManualPage& manual) {
    const auto command =
        std::find_if(kToolCommands.begin(), kToolCommands.end(),
                     [&app](const ToolCommandDoc& d) { return d.name == app.get_name(); });
    return command == kToolCommands.end() ? RenderHelpText(manual) : CommandHelpText(*command);
}

}  // namespace

void SpeakSpanish(CLI::App& app, const ManualPage& manual) {
    app.set_help_flag("-h,--help", "Muestra la ayuda y termina");
    app.set_version_flag("--version", "gestalia-tool " + std::string(kGestaliaVersion),
                         "Muestra la versión y termina");
    app.formatter_fn([manual](const CLI::App* shown, const std::string&, CLI::AppFormatMode) {
        return HelpFor(*shown, manual);
    });
    app.failure_message([](const CLI::App* failed, const CLI::Error&) {
        return "gestalia-tool: " + UsageErrorText(*failed) +
               "\nMás información: gestalia-tool --help\n";
    });
}

std::string UsageErrorText(const CLI::App& app) {
    const std::vector<CLI::App*>& chosen = app.get_subcommands();
    if (chosen.empty()) {
        const std::vector<std::string> rest = app.remaining();
        if (rest.empty()) {
            return "falta la orden (" + CommandNames() + ")";
        }
        if (rest.front().starts_with('-')) {
            return UnexpectedText(rest.front());
        }
        return "orden desconocida: " + rest.front();
    }
    const CLI::App& command = *chosen.front();
    const std::string prefix = command.get_name() + ": ";
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_positional() && option->get_required() && option->count() == 0) {
            return prefix + "falta el argumento " + option->get_name();
        }
    }
    const std::vector<std::string> rest = app.remaining(true);
    if (!rest.empty()) {
        return prefix + UnexpectedText(rest.front());
    }
    return prefix + "los argumentos no valen";
}

}  // namespace gestalia
