#include "app/CommandLine.h"

#include <cmath>
#include <stdexcept>

#include "app/TypedKeys.h"
#include "common/DataError.h"
#include "common/TextFields.h"

namespace tovra {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    for (std::size_t i = 0; i < args.size() && c.error.empty(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                c.error = a + " needs a value";
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            c.help = true;
        } else if (a == "--version") {
            c.version = true;
        } else if (a == "--data") {
            c.dataDir = value();
        } else if (a == "--stats") {
            c.stats = true;
        } else if (a == "--keys") {
            try {
                c.keys = parseTypedKeys(value().value_or(""));
            } catch (const std::invalid_argument& e) {
                c.error = std::string("--keys: ") + e.what();
            }
        } else if (a == "--remote") {
            c.remote = value();
        } else if (a == "--remote-token") {
            c.remoteToken = value().value_or("");
        } else if (a == "--lang") {
            const auto v = value();
            if (v && !(c.language = languageNamed(*v))) c.error = "--lang takes ja or en";
        } else if (a == "--screenshot") {
            c.screenshot = value();
        } else if (a == "--route" || a == "--screenshot-after") {
            const auto v = value();
            if (!v) break;
            if (a == "--route" && v->ends_with(".dat")) {
                c.routeFile = *v;
                continue;
            }
            double number = -1;
            try {
                number = double(parseDecimal(*v));
            } catch (const ReadFailure&) {
            }
            if (!(number >= 0) || !std::isfinite(number)) {
                c.error = a + ": not a number: " + *v;
            } else if (a == "--route") {
                c.route = int(number);
                if (c.route < 1 || c.route > 3 || c.route != number)
                    c.error = "--route takes 1, 2, 3 or a route file (.dat)";
            } else {
                c.screenshotAfter = number;
            }
        } else {
            c.error = "unknown argument: " + a;
        }
    }
    if (c.error.empty() && c.stats && c.route == 0 && c.routeFile.empty())
        c.error = "--stats needs --route";
    if (c.error.empty() && !c.remoteToken.empty() && !c.remote)
        c.error = "--remote-token needs --remote";
    return c;
}

std::string usageText() {
    return "tovra: a railway driving simulator\n"
           "\n"
           "Usage:\n"
           "  tovra [--data DIR] [--route N|FILE [--stats]] [--keys TEXT]\n"
           "        [--screenshot FILE [--screenshot-after SECONDS]]\n"
           "        [--remote [ADDR:]PORT [--remote-token TOKEN]] [--lang ja|en]\n"
           "\n"
           "  --data DIR      the data folder (velmoran.dat and the files it names);\n"
           "                  default: $TOVRA_DATA, else the first of the program's\n"
           "                  folder, the current folder, $XDG_DATA_HOME/tovra (and its\n"
           "                  demo), each $XDG_DATA_DIRS entry's tovra that holds one;\n"
           "                  with none, tovra offers to write the demo line\n"
           "  --route N       skip the title menu: drive route 1, 2 or 3 with the\n"
           "                  default train\n"
           "  --route FILE    the same with a route file (name ending in .dat) in the\n"
           "                  data folder or anywhere, such as one tovra-author wrote\n"
           "  --stats         with --route: print the time from the train's choice to\n"
           "                  the first drawn cab frame, then every 10 s the frames\n"
           "                  drawn per second, the processor share of tovra and\n"
           "                  the worst lateness of a physics tick\n"
           "  --keys TEXT     type these keys into the cab, one every 0.2 s: each\n"
           "                  character as it is; in braces a key that types none,\n"
           "                  {F1} to {F12}, {Enter}, {Backspace}, {PageUp},\n"
           "                  {PageDown}, {ScrollLock}, {Up}, {Down}, with Shift held\n"
           "                  as {Shift+F12}; {{ types {\n"
           "  --remote [ADDR:]PORT\n"
           "                  serve the remote interface: a panel page for a second\n"
           "                  screen, a touch controller for a tablet, the state as\n"
           "                  JSON and a command interface (README, \"A second screen\n"
           "                  and a tablet\"); on 127.0.0.1 unless ADDR is given (port\n"
           "                  0 picks a free one); prints \"tovra: remote at URL token\n"
           "                  TOKEN\" on stdout. Also from the Controller menu\n"
           "  --remote-token TOKEN\n"
           "                  the token instead of a random one\n"
           "  --screenshot FILE\n"
           "                  save the front window as PNG after SECONDS (default 5)\n"
           "                  and quit\n"
           "  --lang ja|en    the language of menus, dialogs and texts; default: the\n"
           "                  one chosen in the Display menu, else Japanese on a\n"
           "                  Japanese desktop and English on any other\n"
           "  --help          this text\n"
           "  --version       the program's version\n"
           "\n"
           "The demo line can also be made with `tovra-demo DIR`, then run\n"
           "`tovra --data DIR`.\n";
}

}  // namespace tovra
