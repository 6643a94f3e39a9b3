#pragma once
// One command of vargis-cli: its name, its one-line description, its
// arguments and options, and what it runs. main() lists every verb, lets
// CLI11 parse the command line against them and runs the chosen one. Each
// verb lives in a file of its own with its printing: the text lines and,
// with --json, the same facts as one JSON object.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vargis::app {
class Analysis;
class Application;
struct CombineRun;
} // namespace vargis::app

namespace vargis::cli {

class CliPlatform;

// Whether a verb needs the working folder of the current directory loaded.
enum class Loading {
    None,      // runs without starting the program
    Required,  // exit 2 when the start reported an error
    Tolerated, // runs even after a failed start (import refills a broken table)
};

struct VerbContext {
    app::Application* app = nullptr; // null for Loading::None
    app::Analysis* analysis = nullptr;
    CliPlatform* platform = nullptr;
    const char* argv0 = "";
    std::ostream& out;
    std::ostream& err;
};

class Verb {
public:
    virtual ~Verb() = default;
    virtual std::string name() const = 0;
    virtual std::string description() const = 0;
    virtual Loading loading() const { return Loading::Required; }
    // Declares the verb's positional arguments and options on its subcommand;
    // the parsed values land in the verb's own members.
    virtual void addArguments(CLI::App& command) { (void)command; }
    // Checks the parsed values before the working folder is loaded; false
    // after writing the message to `err` (exit 2).
    virtual bool acceptsArguments(std::ostream& err) {
        (void)err;
        return true;
    }
    virtual int run(VerbContext& context) = 0;

protected:
    // Declares --json: the results as one JSON object instead of the lines.
    void addJsonFlag(CLI::App& command);
    bool json_ = false;
};

using Verbs = std::vector<std::unique_ptr<Verb>>;

// Every verb of the program in the order --help lists them.
Verbs allVerbs();

std::unique_ptr<Verb> makeStatusVerb();
std::unique_ptr<Verb> makeEvaluateVerb();
std::unique_ptr<Verb> makeCombineVerb();
std::unique_ptr<Verb> makeBacktestVerb();
std::unique_ptr<Verb> makeEfficiencyVerb();
std::unique_ptr<Verb> makeRandomnessVerb();
std::unique_ptr<Verb> makeSuggestVerb();
std::unique_ptr<Verb> makeTicketsVerb();
std::unique_ptr<Verb> makeSearchVerb();
std::unique_ptr<Verb> makeImportVerb();
std::unique_ptr<Verb> makeKindVerb();
std::unique_ptr<Verb> makeMakeDataVerb();
std::unique_ptr<Verb> makeUserFolderVerb();

// Parses the command line and runs the verb; returns the exit code. --help
// prints to `out` with exit 0; an unknown command or option, a missing or
// extra argument prints a message to `err` with exit 2.
int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

// What a combine that did not complete means for the verb: none when it
// completed; else the exit code after its output (3 with "stopped: ROW", or
// {"stopped": ROW} with `json`, when a step leaves nothing; 4 when a check
// refused).
std::optional<int> combineExit(VerbContext& context, const app::CombineRun& run, bool json);

// Reads a whole number option in lo..hi; on failure writes the message
// naming the option to `err` and returns false.
bool readWholeNumber(const std::string& text, int lo, int hi, const std::string& option, int& value,
                     std::ostream& err);

} // namespace vargis::cli
