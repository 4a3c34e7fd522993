// The desktop program: the title window, then a cab window for every run.
#include <malloc.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "app/CabWindow.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/DemoLineSetup.h"
#include "app/HelpWindow.h"
#include "app/KeyForwarder.h"
#include "app/LanguageChoice.h"
#include "app/MessageBox.h"
#include "app/RemoteControl.h"
#include "app/RunStats.h"
#include "app/TitleWindow.h"
#include "common/DataPath.h"
#include "demo-gen/DemoSet.h"
#include "platform/QtSettingsStore.h"

namespace {

constexpr int kKeyIntervalMs = 200;

// Types the keys into the cab window, one after another.
void typeKeys(tovra::TForm1* cab, const std::vector<tovra::remote::KeyPress>& keys,
              std::size_t next = 0) {
    if (next >= keys.size()) return;
    QTimer::singleShot(kKeyIntervalMs, cab, [cab, keys, next] {
        const tovra::remote::KeyPress& press = keys[next];
        if (press.character) {
            cab->cab().host.postCharacter(*press.character);
        } else {
            cab->keyDown(*press.key, press.shift);
            cab->keyUp(*press.key);
        }
        typeKeys(cab, keys, next + 1);
    });
}

void saveScreenshot(const std::string& file) {
    QWidget* front = QApplication::activeWindow();
    if (!front) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) front = w;
    }
    if (front && front->grab().save(QString::fromStdString(file), "PNG")) {
        std::cerr << "tovra: screenshot written to " << file << "\n";
        QApplication::exit(0);
    } else {
        std::cerr << "tovra: cannot write the screenshot " << file << "\n";
        QApplication::exit(1);
    }
}

// The demo line as tovra-demo writes it, its progress lines on stderr.
void writeDemoLine(const std::filesystem::path& folder, const tovra::WorkHooks& hooks) {
    tovra::demo::DemoOptions options;
    options.progress = hooks.progress;
    options.cancelled = hooks.cancelled;
    tovra::demo::writeDemoSet(folder, options, std::cerr);
}

// The data set to run on: the first found, else the demo line when the user
// has it written now.
std::optional<std::filesystem::path> dataFolder(const tovra::CommandLine& command) {
    std::error_code error;
    std::optional<std::filesystem::path> chosen;
    if (command.dataDir) chosen = std::filesystem::absolute(*command.dataDir, error);
    const tovra::DataFolderSearch search =
        tovra::dataFolderSearch(chosen, QApplication::applicationDirPath().toStdString(),
                                std::filesystem::current_path(error));
    const tovra::DataFolderResult found = tovra::findDataFolder(search);
    if (found.folder) return found.folder;
    const std::string message = tovra::missingDataMessage(found, search.demoDir());
    std::cerr << "tovra: " << message << "\n";
    // A folder the user named holds no set: no demo line in its place.
    if (search.chosen || search.demoDir().empty()) {
        tovra::showMessageBox(nullptr, QString::fromStdString(message));
        return std::nullopt;
    }
    if (!tovra::offerDemoLine(QString::fromStdString(message), search.demoDir(), writeDemoLine))
        return std::nullopt;
    return search.demoDir();
}

}  // namespace

int main(int argc, char** argv) {
    // Video pictures (a megabyte and more each) are mapped from the system
    // and given back when the frame cache lets them go, instead of staying
    // in the heap once glibc has raised its threshold for mapping.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    std::vector<std::string> args(argv + 1, argv + argc);
    const tovra::CommandLine command = tovra::parseCommandLine(args);
    if (!command.error.empty()) {
        std::cerr << "tovra: " << command.error << "\n\n" << tovra::usageText();
        return 2;
    }
    if (command.help) {
        std::cout << tovra::usageText();
        return 0;
    }
    if (command.version) {
        std::cout << "tovra " << TOVRA_VERSION << "\n";
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("ヴェルモラン");
    if (!tovra::useLanguage(tovra::programLanguage(command.language, tovra::QtSettingsStore())))
        std::cerr << "tovra: the English texts are missing from " << tovra::translationsFolder()
                  << "; the program speaks Japanese\n";
    // Also catches the dialogs of a first start without data.
    if (command.screenshot) {
        QTimer::singleShot(int(command.screenshotAfter * 1000), &app,
                           [&command] { saveScreenshot(*command.screenshot); });
    }
    const std::optional<std::filesystem::path> folder = dataFolder(command);
    if (!folder) return 1;
    tovra::RemoteControl remote;
    if (command.remote) {
        std::optional<std::string> error;
        try {
            error = remote.start(tovra::remote::parseListenAddress(*command.remote),
                                 command.remoteToken);
        } catch (const std::invalid_argument& e) {
            error = e.what();
        }
        if (error) {
            std::cerr << "tovra: --remote: " << *error << "\n";
            return 2;
        }
    }
    tovra::QtSettingsStore store;
    tovra::TForm4 help(tovra::resolveDataPath(*folder, "operation.dat"));
    const auto seed = unsigned(std::chrono::system_clock::now().time_since_epoch().count());
    tovra::TitleWindow title(*folder, store, seed);
    title.remote = &remote;
    int status = 0;
    title.showHelp = [&help] { help.show(); };
    // The help window passes its keys to the cab being driven.
    new tovra::KeyForwarder(&help, [&title](QKeyEvent* event) {
        if (tovra::TForm1* cab = title.cabWindow()) cab->cabKey(event);
    });
    title.onLoadFailure = [&status, &title] {
        status = 1;
        title.close();
    };
    QObject::connect(&title, &tovra::TitleWindow::cabShown, &title,
                     [&command](tovra::TForm1* cab) { typeKeys(cab, command.keys); });
    title.show();

    tovra::RunStats stats([&title] { return title.cabWindow(); });
    if (command.route > 0 || !command.routeFile.empty()) {
        QTimer::singleShot(0, &title, [&title, &command, &stats] {
            title.goOn();
            title.goOn();
            if (command.routeFile.empty())
                title.routeClick(command.route);
            else
                title.routeFileClick(command.routeFile);
            if (command.stats) stats.trainChosen();
            title.trainClick();
        });
    }
    const int result = app.exec();
    return status != 0 ? status : result;
}
