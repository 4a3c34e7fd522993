// The English catalogue against the code: every text the code marks for
// translation has an entry, every entry is translated and keeps what the
// program fills in, and the compiled catalogue answers as its source says.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <vector>

#include "EnglishForATest.h"
#include "common/DataError.h"
#include "data/RouteLoader.h"
#include "data/VehicleLoader.h"
#include "platform/Translation.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

struct Message {
    QString context, source, translation, state;
};

std::vector<Message> readCatalogue(const QString& file) {
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    std::vector<Message> messages;
    QString context;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.back().state = xml.attributes().value("type").toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// What the program fills in or the menu underlines: the %N markers, and
// whether a shortcut letter is marked.
QStringList fillIns(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression("%\\d").globalMatch(text))
        found << match.captured();
    found.sort();
    if (QRegularExpression("&[^&]").match(text).hasMatch()) found << "&";
    return found;
}

std::vector<Message> gatherFromCode(const test::TempDir& dir) {
    QFile list(TOVRA_GATHER_ARGUMENTS);
    EXPECT_TRUE(list.open(QIODevice::ReadOnly));
    QStringList arguments = QString::fromUtf8(list.readAll()).split('\n', Qt::SkipEmptyParts);
    const QString gathered = QString::fromStdString((dir / "code.ts").string());
    arguments << "-ts" << gathered;
    QProcess lupdate;
    lupdate.start(TOVRA_LUPDATE, arguments);
    EXPECT_TRUE(lupdate.waitForFinished(60000));
    EXPECT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    return readCatalogue(gathered);
}

std::string named(const Message& m) {
    return (m.context + " / " + m.source).toStdString();
}

TEST(EnglishCatalogue, TranslatesEveryTextTheCodeMarks) {
    const std::vector<Message> catalogue = readCatalogue(TOVRA_CATALOGUE);
    ASSERT_FALSE(catalogue.empty());
    QSet<QString> entries;
    for (const Message& m : catalogue) {
        entries.insert(m.context + '\n' + m.source);
        EXPECT_TRUE(m.state.isEmpty()) << named(m) << " is " << m.state.toStdString();
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << named(m);
        EXPECT_EQ(fillIns(m.translation).join(' ').toStdString(),
                  fillIns(m.source).join(' ').toStdString())
            << named(m);
    }

    test::TempDir dir;
    const std::vector<Message> code = gatherFromCode(dir);
    ASSERT_FALSE(code.empty());
    for (const Message& m : code)
        EXPECT_TRUE(entries.contains(m.context + '\n' + m.source))
            << "not in the catalogue: " << named(m);

    // The catalogue the build put beside the programs.
    QTranslator built;
    ASSERT_TRUE(
        built.load(QString::fromStdString((translationsFolder() / "tovra_en.qm").string())));
    for (const Message& m : catalogue)
        EXPECT_EQ(built.translate(m.context.toUtf8(), m.source.toUtf8()).toStdString(),
                  m.translation.toStdString())
            << named(m);
}

// Qt's own buttons speak Japanese from the catalogue Debian's Qt translations
// package installs; in English Qt needs none.
TEST(QtTexts, JapaneseFromQtsCatalogue) {
    QTranslator japanese;
    ASSERT_TRUE(loadQtTexts(japanese, Language::Japanese));
    EXPECT_EQ(japanese.translate("QPlatformTheme", "Cancel").toStdString(), "キャンセル");
    QTranslator english;
    EXPECT_FALSE(loadQtTexts(english, Language::English));
}

// A data file's error reads as one English sentence: the message and the
// group label it is composed of are both translated.
TEST(EnglishCatalogue, DataFileErrorsReadInEnglish) {
    const test::EnglishForATest english;
    test::TempDir dir;
    const auto failure = [&](const std::string& vehicle) -> std::string {
        try {
            loadVehicleSpec(dir.writeBytes("train.dat", vehicle));
        } catch (const DataError& error) {
            return error.what();
        }
        return "(loaded)";
    };
    EXPECT_EQ(failure("[Panel2]\npanel2.bmp\n0\ny\n"), "The train file has an error: cab panel");
    EXPECT_EQ(failure("[EngineSound2]\n1\n2\n3\n"), "The train file has an error: [EngineSound2]");
    EXPECT_EQ(routeFileMessage("[Cross]", "x.bmp"), "The route file has an error: [Cross]:x.bmp");
}

}  // namespace
}  // namespace tovra
