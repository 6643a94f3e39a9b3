#include "app/Application.h"
#include "base/Convert.h"
#include "base/Errors.h"
#include "base/ProductInfo.h"
#include "cli/CliPlatform.h"
#include "cli/Verb.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vargis::cli {

Verbs allVerbs() {
    Verbs verbs;
    addAnalysisVerbs(verbs);
    addTicketVerbs(verbs);
    addSearchVerbs(verbs);
    addDataVerbs(verbs);
    return verbs;
}

bool readWholeNumber(const std::string& text, int lo, int hi, const std::string& option, int& value,
                     std::ostream& err) {
    try {
        value = toInt(text);
    } catch (const VargisError&) {
        // Digits too many for a number are a number out of range.
        const std::string digits = trim(text);
        const std::size_t sign = !digits.empty() && (digits[0] == '+' || digits[0] == '-');
        if (digits.size() > sign &&
            digits.find_first_not_of("0123456789", sign) == std::string::npos) {
            err << option << ": " << digits << " вне допустимых значений " << lo << ".." << hi
                << '\n';
            return false;
        }
        err << option << ": \"" << text << "\" не целое число\n";
        return false;
    }
    if (value < lo || value > hi) {
        err << option << ": " << value << " вне допустимых значений " << lo << ".." << hi << '\n';
        return false;
    }
    return true;
}

namespace {

constexpr const char* kHelpHint = "Справка: vargis-cli --help\n";

// The part of a CLI11 message after its first ": " (the arguments named).
std::string named(const std::string& message) {
    const auto colon = message.find(": ");
    return colon == std::string::npos ? message : message.substr(colon + 2);
}

// CLI11's messages in the program's language.
std::string parseFailure(const CLI::Error& e) {
    const std::string what = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e))
        return "Неизвестный параметр или лишний аргумент: " + named(what);
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        if (what.find("subcommand") != std::string::npos)
            return "Не указана команда";
        return "Не указан обязательный аргумент: " + what.substr(0, what.find(' '));
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
        return what.find("missing") != std::string::npos ? "Параметру не хватает значения"
                                                         : "Параметр указан больше одного раза";
    if (dynamic_cast<const CLI::RequiresError*>(&e)) {
        // "--last requires --archive"
        const auto needs = what.find(" requires ");
        if (needs != std::string::npos)
            return "Параметр " + what.substr(0, needs) + " действует только вместе с " +
                   what.substr(needs + 10);
    }
    return "Ошибка в командной строке: " + what;
}

void translateFormatter(CLI::App& app) {
    const auto formatter = app.get_formatter();
    formatter->label("Usage", "Использование");
    formatter->label("OPTIONS", "ПАРАМЕТРЫ");
    formatter->label("SUBCOMMAND", "КОМАНДА");
    formatter->label("SUBCOMMANDS", "КОМАНДЫ");
    formatter->label("REQUIRED", "ОБЯЗАТЕЛЬНО");
    formatter->label("Positionals", "Аргументы");
    formatter->column_width(24);
}

} // namespace

int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App cli(VARGIS_NAME " - лото: команды без окна над рабочей папкой в текущем каталоге",
                 "vargis-cli");
    translateFormatter(cli);
    cli.option_defaults()->group("Параметры");
    cli.set_help_flag("-h,--help", "Показать справку и выйти");
    cli.require_subcommand(1);

    Verbs verbs = allVerbs();
    Verb* chosen = nullptr;
    for (auto& verb : verbs) {
        CLI::App* command = cli.add_subcommand(verb->name(), verb->description());
        command->group("Команды");
        command->set_help_flag("-h,--help", "Показать справку по команде и выйти");
        verb->addArguments(*command);
        command->callback([&chosen, v = verb.get()] { chosen = v; });
    }

    // A first word that is neither an option nor a command names no command.
    const auto named = [&](const std::string& word) {
        for (const auto& verb : verbs)
            if (verb->name() == word)
                return true;
        return false;
    };
    if (argc > 1 && argv[1][0] != '-' && !named(argv[1])) {
        err << "Неизвестная команда: " << argv[1] << '\n' << kHelpHint;
        return 2;
    }
    if (argc > 1 && argv[1][0] == '-' && std::string(argv[1]) != "-h" &&
        std::string(argv[1]) != "--help") {
        err << "Неизвестный параметр: " << argv[1] << '\n' << kHelpHint;
        return 2;
    }
    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        // The help of the command named before --help, or of the program.
        out << cli.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        if (argc <= 1)
            err << cli.help();
        else
            err << parseFailure(e) << '\n' << kHelpHint;
        return 2;
    }
    if (chosen == nullptr) {
        err << cli.help();
        return 2;
    }

    if (!chosen->acceptsArguments(err))
        return 2;
    if (chosen->loading() == Loading::None) {
        VerbContext context{nullptr, nullptr, argv[0], out, err};
        return chosen->run(context);
    }
    CliPlatform platform;
    app::Application app(platform);
    app.offersImport = false;
    app.start();
    if (chosen->loading() == Loading::Required && platform.errorCount() != 0)
        return 2;
    VerbContext context{&app, &platform, argv[0], out, err};
    return chosen->run(context);
}

} // namespace vargis::cli
