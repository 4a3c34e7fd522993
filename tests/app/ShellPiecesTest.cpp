#include <gtest/gtest.h>

#include <QKeyEvent>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/EasyCab.h"
#include "app/KeyInput.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

TEST(AppDataFolder, LooksBesideTheProgramThenInTheCurrentFolder) {
    test::TempDir exe, cwd, chosen;
    DataFolderSearch search{std::nullopt, exe.path(), cwd.path()};

    DataFolderResult r = findDataFolder(search);
    EXPECT_FALSE(r.folder);
    ASSERT_EQ(r.searched.size(), 2u);
    const std::string message = missingDataMessage(r);
    EXPECT_EQ(message.rfind(kMisplacedMessage, 0), 0u);
    EXPECT_NE(message.find(exe.path().string()), std::string::npos);
    EXPECT_NE(message.find(cwd.path().string()), std::string::npos);
    EXPECT_NE(message.find("tovra-demo"), std::string::npos);
    EXPECT_NE(message.find("--data"), std::string::npos);

    cwd.writeCp932("velmoran.dat", "");
    EXPECT_EQ(findDataFolder(search).folder, cwd.path());
    exe.writeCp932("velmoran.dat", "");
    EXPECT_EQ(findDataFolder(search).folder, exe.path());

    // A folder given on the command line is the only place looked at.
    search.chosen = chosen.path();
    r = findDataFolder(search);
    EXPECT_FALSE(r.folder);
    ASSERT_EQ(r.searched.size(), 1u);
    EXPECT_EQ(r.searched[0], chosen.path());
    // A directory named velmoran.dat is no settings file.
    std::filesystem::create_directory(chosen / "velmoran.dat");
    EXPECT_FALSE(findDataFolder(search).folder);
}

TEST(AppCommandLine, OptionsAndMistakes) {
    CommandLine c = parseCommandLine({"--data", "demo", "--route", "2", "--screenshot", "a.png",
                                      "--screenshot-after", "2.5", "--keys", "dz", "--stats"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(c.dataDir, "demo");
    EXPECT_EQ(c.route, 2);
    EXPECT_EQ(c.screenshot, "a.png");
    EXPECT_DOUBLE_EQ(c.screenshotAfter, 2.5);
    EXPECT_EQ(c.keys, "dz");
    EXPECT_TRUE(c.stats);
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    for (const auto& wrong : std::vector<std::vector<std::string>>{{"--data"},
                                                                   {"--route", "4"},
                                                                   {"--route", "1.5"},
                                                                   {"--route", "x"},
                                                                   {"--screenshot-after", "-1"},
                                                                   {"--bogus"},
                                                                   {"--stats"}})
        EXPECT_FALSE(parseCommandLine(wrong).error.empty()) << wrong[0];
    for (const char* documented :
         {"--data", "--route", "--keys", "--screenshot", "--stats", "--version"})
        EXPECT_NE(usageText().find(documented), std::string::npos) << documented;
}

TEST(AppKeyInput, CharactersAndVirtualKeys) {
    CabKey k = cabKeyOf(Qt::Key_Z, Qt::NoModifier, "z");
    EXPECT_EQ(k.character, 'z');
    EXPECT_FALSE(k.key);
    k = cabKeyOf(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(k.character, ' ');
    // Enter and Backspace are keys, not characters.
    k = cabKeyOf(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(k.key, VirtualKey::Enter);
    EXPECT_FALSE(k.character);
    EXPECT_EQ(cabKeyOf(Qt::Key_Backspace, Qt::NoModifier, "\b").key, VirtualKey::Backspace);
    k = cabKeyOf(Qt::Key_F7, Qt::ShiftModifier, "");
    EXPECT_EQ(k.key, VirtualKey::F7);
    EXPECT_TRUE(k.shiftAlone);
    EXPECT_FALSE(cabKeyOf(Qt::Key_F7, Qt::ShiftModifier | Qt::ControlModifier, "").shiftAlone);
    EXPECT_EQ(cabKeyOf(Qt::Key_F12, Qt::NoModifier, "").key, VirtualKey::F12);
    EXPECT_EQ(cabKeyOf(Qt::Key_PageDown, Qt::NoModifier, "").key, VirtualKey::PageDown);
    EXPECT_EQ(cabKeyOf(Qt::Key_ScrollLock, Qt::NoModifier, "").key, VirtualKey::ScrollLock);
    // Text outside ASCII reaches no handler.
    k = cabKeyOf(Qt::Key_unknown, Qt::NoModifier, "あ");
    EXPECT_FALSE(k.character);
    EXPECT_FALSE(k.key);
}

TEST(AppEasyCab, LampsAndReverser) {
    NotchLamps lamps = notchLamps(0, 0);
    EXPECT_EQ(lamps.neutral, 0x00FF00u);
    for (unsigned c : lamps.power) EXPECT_EQ(c, 0xFFFFFFu);
    for (unsigned c : lamps.brake) EXPECT_EQ(c, 0xFFFFFFu);

    lamps = notchLamps(3, 0);
    EXPECT_EQ(lamps.neutral, 0xFFFFFFu);
    EXPECT_EQ(lamps.power[2], 0xFFFF00u);
    EXPECT_EQ(lamps.power[3], 0xFFFFFFu);

    // B8 and the emergency position beyond it light the same eight lamps.
    for (int handle : {-8, -9}) {
        lamps = notchLamps(0, handle);
        for (unsigned c : lamps.brake) EXPECT_EQ(c, 0xFF0000u) << handle;
        EXPECT_EQ(lamps.neutral, 0xFFFFFFu);
    }
    lamps = notchLamps(0, -2);
    EXPECT_EQ(lamps.brake[1], 0xFF0000u);
    EXPECT_EQ(lamps.brake[2], 0xFFFFFFu);

    EXPECT_EQ(reverserCharacter(1), 'b');
    EXPECT_EQ(reverserCharacter(-1), 'f');
    EXPECT_EQ(reverserCharacter(0), 0);
}

}  // namespace
}  // namespace tovra
