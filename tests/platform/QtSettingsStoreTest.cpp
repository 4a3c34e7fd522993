#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(QtSettingsStore, RoundTripsIntegersAndJapaneseText) {
    test::TempDir dir;
    const std::string title = "中央線快速（東京～神田）";
    const std::string state = "line_rapid_down.dat,3,58,1200,972000,456789,-1";
    {
        QtSettingsStore store(dir.path());
        EXPECT_TRUE(store.writeInteger("tovra", "Kanko", 1));
        EXPECT_TRUE(store.writeInteger("tovra", "Moji", -2147483647 - 1));
        EXPECT_TRUE(store.writeString("tovra", "Save1Title", title));
        EXPECT_TRUE(store.writeString("tovra", "Save1", state));
        EXPECT_TRUE(store.writeString("tovra", "Save2", ""));
        EXPECT_TRUE(store.writeInteger("dgcontroller", "P0", 4660));
    }
    const QtSettingsStore store(dir.path());
    EXPECT_EQ(store.readInteger("tovra", "Kanko"), 1);
    EXPECT_EQ(store.readInteger("tovra", "Moji"), -2147483647 - 1);
    EXPECT_EQ(store.readString("tovra", "Save1Title"), title);
    EXPECT_EQ(store.readString("tovra", "Save1"), state);
    EXPECT_EQ(store.readString("tovra", "Save2"), "");
    EXPECT_EQ(store.readInteger("dgcontroller", "P0"), 4660);
    EXPECT_EQ(store.readInteger("tovra", "P0"), std::nullopt);  // groups do not mix
    EXPECT_EQ(store.readString("tovra", "Save3"), std::nullopt);

    EXPECT_EQ(store.fileOf("tovra"), dir / "Velmoran" / "tovra.ini");
    EXPECT_EQ(store.fileOf("dgcontroller"), dir / "Velmoran" / "dgcontroller.ini");
    EXPECT_NE(contents(dir / "Velmoran" / "tovra.ini").find("Kanko=1"), std::string::npos);
    EXPECT_NE(contents(dir / "Velmoran" / "dgcontroller.ini").find("P0=4660"), std::string::npos);
}

TEST(QtSettingsStore, IgnoresWhatItCannotRead) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "Velmoran");
    dir.writeBytes("Velmoran/tovra.ini",
                   "[General]\n"
                   "Kanko=1\n"
                   "this line means nothing\n"
                   "=\n"
                   "Information=abc\n"
                   "ATS=99999999999\n"
                   "Tunnel= 7 \n"
                   "Moji=1.5\n"
                   "Save1=line_rapid_up.dat,2,0,300,400,500,600\n"
                   "Save1Title=\xE6\x9D\xB1\n"
                   "[broken\n"
                   "Save3=after the broken group\n");
    const QtSettingsStore store(dir.path());
    EXPECT_EQ(store.readInteger("tovra", "Kanko"), 1);
    EXPECT_EQ(store.readInteger("tovra", "Information"), std::nullopt);
    EXPECT_EQ(store.readString("tovra", "Information"), "abc");
    EXPECT_EQ(store.readInteger("tovra", "ATS"), std::nullopt);
    EXPECT_EQ(store.readInteger("tovra", "Tunnel"), 7);
    EXPECT_EQ(store.readInteger("tovra", "Moji"), std::nullopt);
    EXPECT_EQ(store.readString("tovra", "Save1"), "line_rapid_up.dat,2,0,300,400,500,600");
    EXPECT_EQ(store.readString("tovra", "Save1Title"), "東");

    // No file, a folder in place of the file, a group that is no plain name.
    EXPECT_EQ(store.readInteger("dgcontroller", "P0"), std::nullopt);
    std::filesystem::create_directories(dir / "Velmoran" / "odd.ini");
    EXPECT_EQ(store.readString("odd", "Kanko"), std::nullopt);
    EXPECT_TRUE(store.fileOf("../tovra").empty());
    EXPECT_TRUE(store.fileOf("").empty());
}

TEST(QtSettingsStore, ReportsWhatItCannotWrite) {
    test::TempDir dir;
    const auto blocked = dir.writeBytes("not-a-folder", "a file where the config folder should be");
    QtSettingsStore store(blocked);
    EXPECT_FALSE(store.writeInteger("tovra", "Kanko", 1));
    EXPECT_FALSE(store.writeString("tovra", "Save1", "x"));
    EXPECT_EQ(store.readInteger("tovra", "Kanko"), std::nullopt);
    QtSettingsStore fine(dir.path());
    EXPECT_FALSE(fine.writeInteger("../escape", "Kanko", 1));
    EXPECT_FALSE(fine.writeInteger("tovra", "", 1));
}

TEST(QtSettingsStore, LivesInTheUsersConfigFolder) {
    test::TempDir dir;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string before = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    QtSettingsStore store;
    const bool written = store.writeInteger("tovra", "ATS", 1);
    if (saved)
        setenv("XDG_CONFIG_HOME", before.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(written);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "config" / "Velmoran" / "tovra.ini"));
    EXPECT_EQ(store.readInteger("tovra", "ATS"), 1);
}

}  // namespace
}  // namespace tovra
