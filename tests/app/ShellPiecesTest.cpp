#include <gtest/gtest.h>

#include <QKeyEvent>
#include <cstdlib>
#include <fstream>
#include <map>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/EasyCab.h"
#include "app/KeyInput.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
  public:
    void set(const char* name, const std::string& value) {
        remember(name);
        setenv(name, value.c_str(), 1);
    }
    void unset(const char* name) {
        remember(name);
        unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

  private:
    void remember(const char* name) {
        if (saved_.count(name)) return;
        const char* value = std::getenv(name);
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(AppDataFolder, SearchOrderFromTheEnvironment) {
    test::TempDir exe, cwd, home, dataHome, sysA, sysB, chosen;
    ScopedEnvironment env;
    env.unset("TOVRA_DATA");
    env.set("HOME", home.path());
    env.unset("XDG_DATA_HOME");
    env.unset("XDG_DATA_DIRS");
    DataFolderSearch search = dataFolderSearch(std::nullopt, exe.path(), cwd.path());
    EXPECT_EQ(search.userDataDir, home / ".local/share/tovra");
    EXPECT_EQ(search.systemDataDirs,
              (std::vector<std::filesystem::path>{"/usr/local/share/tovra", "/usr/share/tovra"}));

    env.set("XDG_DATA_HOME", dataHome.path());
    // A relative entry is no base directory and is skipped.
    env.set("XDG_DATA_DIRS", "share:" + sysA.path().string() + ":" + sysB.path().string());
    search = dataFolderSearch(std::nullopt, exe.path(), cwd.path());
    DataFolderResult r = findDataFolder(search);
    EXPECT_FALSE(r.folder);
    const std::vector<std::filesystem::path> order{exe.path(),         cwd.path(),
                                                   dataHome / "tovra", dataHome / "tovra/demo",
                                                   sysA / "tovra",     sysB / "tovra"};
    EXPECT_EQ(r.searched, order);
    const std::string message = missingDataMessage(r, search.demoDir());
    EXPECT_EQ(message.rfind(kMisplacedMessage, 0), 0u);
    for (const auto& folder : order)
        EXPECT_NE(message.find(folder.string()), std::string::npos) << folder;
    EXPECT_NE(message.find("tovra-demo " + (dataHome / "tovra/demo").string()), std::string::npos);

    // Filled from the back, each folder takes over from the ones after it.
    for (auto folder = order.rbegin(); folder != order.rend(); ++folder) {
        std::filesystem::create_directories(*folder);
        std::ofstream(*folder / kSettingsFile) << "";
        EXPECT_EQ(findDataFolder(search).folder, *folder);
    }

    // A folder the user names is the only place looked at: --data before $TOVRA_DATA.
    env.set("TOVRA_DATA", "elsewhere");
    r = findDataFolder(dataFolderSearch(std::nullopt, exe.path(), cwd.path()));
    EXPECT_FALSE(r.folder);
    EXPECT_EQ(r.searched, std::vector<std::filesystem::path>{cwd / "elsewhere"});
    search = dataFolderSearch(chosen.path(), exe.path(), cwd.path());
    EXPECT_EQ(findDataFolder(search).searched, std::vector<std::filesystem::path>{chosen.path()});
    // A directory named velmoran.dat is no settings file.
    std::filesystem::create_directory(chosen / kSettingsFile);
    EXPECT_FALSE(findDataFolder(search).folder);
}

TEST(AppCommandLine, OptionsAndMistakes) {
    CommandLine c =
        parseCommandLine({"--data", "demo", "--route", "2", "--screenshot", "a.png",
                          "--screenshot-after", "2.5", "--keys", "d{{{F3}z{Shift+F12}", "--stats"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(c.dataDir, "demo");
    EXPECT_EQ(c.route, 2);
    EXPECT_EQ(c.screenshot, "a.png");
    EXPECT_DOUBLE_EQ(c.screenshotAfter, 2.5);
    ASSERT_EQ(c.keys.size(), 5u);
    EXPECT_EQ(c.keys[0].character, 'd');
    EXPECT_EQ(c.keys[1].character, '{');
    EXPECT_FALSE(c.keys[2].character);
    EXPECT_EQ(c.keys[2].key, VirtualKey::F3);
    EXPECT_FALSE(c.keys[2].shift);
    EXPECT_EQ(c.keys[3].character, 'z');
    EXPECT_EQ(c.keys[4].key, VirtualKey::F12);
    EXPECT_TRUE(c.keys[4].shift);
    EXPECT_TRUE(c.stats);
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
    c = parseCommandLine({"--route", "own/line_mine.dat", "--stats"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(c.routeFile, "own/line_mine.dat");
    EXPECT_EQ(c.route, 0);
    c = parseCommandLine({"--remote", "0.0.0.0:8428", "--remote-token", "abcdefgh"});
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(c.remote, "0.0.0.0:8428");
    EXPECT_EQ(c.remoteToken, "abcdefgh");
    for (const auto& wrong : std::vector<std::vector<std::string>>{{"--data"},
                                                                   {"--route", "4"},
                                                                   {"--route", "1.5"},
                                                                   {"--route", "x"},
                                                                   {"--screenshot-after", "-1"},
                                                                   {"--bogus"},
                                                                   {"--stats"},
                                                                   {"--remote"},
                                                                   {"--remote-token", "abcdefgh"},
                                                                   {"--keys", "z{F13}"},
                                                                   {"--keys", "{Shift+}"},
                                                                   {"--keys", "z{F3"}})
        EXPECT_FALSE(parseCommandLine(wrong).error.empty()) << wrong[0];
    for (const char* documented :
         {"--data", "--route", "--keys", "--screenshot", "--stats", "--version", "--remote",
          "--remote-token"})
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
