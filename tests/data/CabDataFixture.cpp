#include "data/CabDataFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/SilentWave.h"

namespace tovra::test {

namespace {

void put16(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 2; ++i) s += char((v >> (8 * i)) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}

constexpr const char* kSettings =
    "[Disp]\n30,1\n0\n800\n450\n310\n[Path]\nmovie\\\n[Cars]\n両編成\n[Start]\n運転開始(&S)\n";

}  // namespace

// RIFF AVI with a main header of `frames` frames, enough for the header reader.
std::string aviHeaderFile(int frames, int width, int height) {
    std::string avih = "avih";
    put32(avih, 56);
    for (std::uint32_t v : {33333u, 0u, 0u, 0u, std::uint32_t(frames), 0u, 1u, 0u,
                            std::uint32_t(width), std::uint32_t(height), 0u, 0u, 0u, 0u}) {
        put32(avih, v);
    }
    std::string list = "LIST";
    put32(list, std::uint32_t(4 + avih.size()));
    list += "hdrl" + avih;
    std::string riff = "RIFF";
    put32(riff, std::uint32_t(4 + list.size()));
    return riff + "AVI " + list;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "not in the text: " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string bitmap(int width, int height, std::uint32_t corner, std::uint32_t fill) {
    const int stride = (width * 3 + 3) & ~3;
    std::string s = "BM";
    put32(s, std::uint32_t(54 + stride * height));
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, std::uint32_t(width));
    put32(s, std::uint32_t(height));  // bottom-up: the first row is the last
    put16(s, 1);
    put16(s, 24);
    for (int i = 0; i < 6; ++i) put32(s, 0);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = row == 0 && x == 0 ? corner : fill;
            s += char(c & 0xFF);
            s += char((c >> 8) & 0xFF);
            s += char((c >> 16) & 0xFF);
        }
        s.append(std::size_t(stride - width * 3), '\0');
    }
    return s;
}

std::string CabData::vehicleText() {
    return R"([BrakeType]
1
[Brake]
8
[Power]
4
[EBPress]
400
[HighAirPress]
880
[Cars]
10
[EngineSound1]
sound\motor.wav
0
0
10
20
1.0
1.2
1.4
50
80
100
#
[EngineSound3]
sound\engine.wav
0
1
0
40
1.0
1.5
60
90
#
[DriveSound]
sound\run0.wav
sound\run1.wav
sound\run2.wav
#
[Panel]
image\panel.bmp
0
450
[Panel2]
image\panel2.bmp
100
460
[Lamp_Door]
image\lamp.bmp
10
500
[Lamp_Ats1]
Image\LAMP.BMP
20
500
[Needle_Speed]
image\needle.bmp
300
600
0
0
-120
2.0
0
[Needle_BC_L]
image\bar.bmp
500
700
0.1
[Digi_Speed]
700
600
16
24
image\digits.bmp
[Others]

0
0
image\other.bmp
5
6
#
)";
}

std::string CabData::routeText() {
    std::string kanko1 = "sound\\k0.wav\n";
    for (int i = 1; i < 22; ++i) kanko1 += "\n";
    return R"([LineName]
快速線 下り
[StartPos]
100
[FrameRate]
30
[Staf]
image\staf_over.bmp

image\staf.bmp
[DataName]
line1
[Speed_Signal]
0
25
45
#
[Pre_Train]
50,9999
#
[OneMan]
0
[SoundData]
sound\arrive.wav
sound\melody.wav
sound\arrive3.wav
#
[Monitor]
train_E231.dat
600
10
20
20
image\mon.bmp
[KankoSound1]
)" + kanko1 +
           R"([KankoSound2]
sound\k22.wav
#
[Doppler]
2,750,5000,0,0
#
[Tunnel]
450,750,0
#
[Station]
始発駅,0,150,3000,0,1,0,1080000,90,1,0,0,0,0,50
通過駅,1,300,3000,0,1,0,0,90,1,0,0,0,0,50
停車駅,2,450,3000,0,1,0,1084500,90,1,0,0,0,0,50
中間駅,0,600,3000,2,1,0,1090800,90,1,0,0,0,0,50
終着駅,0,1050,3000,0,1,0,1098000,90,1,0,0,0,0,50
#
[Signal]
0,0,0,1,100,300,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0
0,0,0,1,600,750,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0
#
[TrafficSignal]
150,100,200,1,10,1,2,10,0,3,10,1,4,10,0,5,10,1,6,10,0,600,0,1,2,0
#
[SpeedLimit]
45,0,1,450,0,0
60,0,1,300,0,0
25,0,1,100,0,0
#
[SpeedCheck1]
30,0,75,0
30,0,1050,0
#
[SignImageList]
image\teimoku.bmp,32
image\sign.bmp,32
image\sign.bmp,32
image\sign.bmp,32
image\sign.bmp,32
image\sign.bmp,32
image\sign.bmp,32
image\sign.bmp,32
[SignalImageList]
10,20,16,32,image\signal.bmp
8,8,image\sub.bmp
8,8,image\sub.bmp
8,8,image\sub.bmp
[AnimImageList]
image\anim.bmp
#
[SpeedUnit]
0,300,36,36
300,600,36,72
600,900,72,72
900,1200,72,0
#
)";
}

CabData::CabData() {
    dir_.writeCp932("velmoran.dat", kSettings);
    dir_.writeCp932("mascon.dat", "P1\nP2\nP3\nP4\nP5\nN\n#\n");
    writeVehicle(vehicleText());
    writeRoute(routeText());
    const struct {
        const char* name;
        std::uint32_t corner;
        int width, height;
    } pictures[] = {
        {"image/panel.bmp", 0xFF112233u, 80, 30},   {"image/panel2.bmp", 0xFF445566u, 40, 20},
        {"image/lamp.bmp", 0xFF00FF00u, 8, 8},      {"image/needle.bmp", 0xFF010203u, 4, 40},
        {"image/bar.bmp", 0xFF0000FFu, 6, 50},      {"image/digits.bmp", 0xFFFF00FFu, 160, 24},
        {"image/other.bmp", 0xFF778899u, 12, 10},   {"image/mon.bmp", 0xFF202020u, 40, 20},
        {"image/teimoku.bmp", 0xFFABCDEFu, 32, 32}, {"image/sign.bmp", 0xFF303030u, 64, 32},
        {"image/signal.bmp", 0xFF404040u, 64, 32},  {"image/sub.bmp", 0xFF505050u, 32, 8},
        {"image/anim.bmp", 0xFF606060u, 10, 10},    {"image/staf_over.bmp", 0xFF707070u, 20, 20},
        {"image/staf.bmp", 0xFF808080u, 100, 200},
    };
    for (const auto& p : pictures)
        dir_.writeBytes(p.name, bitmap(p.width, p.height, p.corner, 0xFFFFFFFFu));
    const struct {
        const char* name;
        int seconds;
    } waves[] = {
        {"sound/run0.wav", 1},   {"sound/run1.wav", 1},    {"sound/run2.wav", 1},
        {"sound/motor.wav", 1},  {"sound/engine.wav", 1},  {"sound/arrive.wav", 2},
        {"sound/melody.wav", 5}, {"sound/arrive3.wav", 3}, {"sound/k0.wav", 1},
        {"sound/k22.wav", 1},
    };
    for (const auto& w : waves) dir_.writeBytes(w.name, silentWave(w.seconds, 100));
    dir_.writeBytes("movie/line1.avi", aviHeaderFile(1500, 320, 180));
}

void CabData::writeVehicle(const std::string& text) const {
    dir_.writeCp932(kVehicleFile, text);
}
void CabData::writeRoute(const std::string& text) const {
    dir_.writeCp932(kRouteFile, text);
}
void CabData::remove(const std::string& relativePath) const {
    std::filesystem::remove(dir_ / relativePath);
}

RunChoice CabData::choice(int startStation) const {
    RunChoice choice;
    choice.dataDir = dir_.path();
    choice.routeFile = kRouteFile;
    choice.startStation = startStation;
    choice.crewChangeStation = 999;
    return choice;
}

}  // namespace tovra::test
