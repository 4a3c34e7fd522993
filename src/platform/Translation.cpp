#include "platform/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <stdexcept>

#include "common/UiText.h"

namespace tovra {

namespace {

constexpr const char* kCatalogueName = "tovra_en.qm";

Language active = Language::Japanese;

// One catalogue for the program's whole life: tr() and the core ask it from
// any thread, so it is loaded once at start-up and never replaced.
QTranslator& catalogue() {
    static QTranslator* translator = new QTranslator;
    return *translator;
}

std::string fromCatalogue(const char* context, const char* source) {
    return catalogue().translate(context, source).toStdString();
}

}  // namespace

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

const char* languageName(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

Language desktopLanguage() {
    const QStringList wanted = QLocale::system().uiLanguages();
    const bool japanese = !wanted.isEmpty() && wanted.front().startsWith(QLatin1String("ja"));
    return japanese ? Language::Japanese : Language::English;
}

std::optional<Language> takeLanguageOption(std::vector<std::string>& args) {
    std::optional<Language> chosen;
    for (auto at = args.begin(); at != args.end();) {
        if (*at != "--lang") {
            ++at;
            continue;
        }
        if (at + 1 == args.end()) throw std::invalid_argument("--lang needs a value: ja or en");
        chosen = languageNamed(at[1]);
        if (!chosen) throw std::invalid_argument("--lang takes ja or en, not '" + at[1] + "'");
        at = args.erase(at, at + 2);
    }
    return chosen;
}

std::filesystem::path translationsFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path().parent_path() / "share" / "tovra" / "translations";
}

bool loadQtTexts(QTranslator& into, Language language) {
    return language == Language::Japanese &&
           into.load(QLocale(QLocale::Japanese), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool useLanguage(Language language) {
    if (language == Language::Japanese) {
        static QTranslator* qtTexts = new QTranslator;
        if (loadQtTexts(*qtTexts, language) && QCoreApplication::instance())
            QCoreApplication::installTranslator(qtTexts);
        return true;
    }
    const auto file = translationsFolder() / kCatalogueName;
    if (!catalogue().load(QString::fromStdString(file.string()))) return false;
    if (QCoreApplication::instance()) QCoreApplication::installTranslator(&catalogue());
    setUiTranslator(fromCatalogue);
    active = Language::English;
    return true;
}

Language activeLanguage() {
    return active;
}

}  // namespace tovra
