#include "app/LanguageChoice.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "app/MessageBox.h"
#include "data/UserOptions.h"
#include "ports/SettingsStore.h"

namespace tovra {

Language programLanguage(std::optional<Language> option, const SettingsStore& store) {
    if (option) return *option;
    if (const auto stored = store.readString(kUserOptionsGroup, kLanguageKey))
        if (const auto chosen = languageNamed(*stored)) return *chosen;
    return desktopLanguage();
}

QMenu* addLanguageMenu(QMenu* display, SettingsStore& store, QWidget* parent) {
    QMenu* menu = display->addMenu(QCoreApplication::translate("LanguageChoice", "言語(&G)"));
    auto* group = new QActionGroup(menu);
    const std::string stored = store.readString(kUserOptionsGroup, kLanguageKey).value_or("");
    const auto item = [&](const QString& text, const std::string& name) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(name == stored || (name.empty() && !languageNamed(stored)));
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, parent, [&store, parent, name] {
            store.writeString(kUserOptionsGroup, kLanguageKey, name);
            showMessageBox(parent, QCoreApplication::translate(
                                       "LanguageChoice", "表示の言語は次回の起動から変わります。"));
        });
    };
    item(QCoreApplication::translate("LanguageChoice", "デスクトップに合わせる"), "");
    // Each language in its own words, so that one can find one's way back.
    item(QString::fromUtf8("日本語"), "ja");
    item(QStringLiteral("English"), "en");
    return menu;
}

}  // namespace tovra
