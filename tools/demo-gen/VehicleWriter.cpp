#include "demo-gen/VehicleWriter.h"

#include "demo-gen/DataText.h"
#include "demo-gen/DriveSounds.h"

namespace tovra::demo {

namespace {

std::string d(double v, int places = 4) {
    return decimal(v, places);
}
std::string i(int v) {
    return std::to_string(v);
}

std::vector<std::string> repeat(int value, int count) {
    return std::vector<std::string>(std::size_t(count), i(value));
}

void performance(DataText& t, const VehicleDesign& v) {
    t.line("; 運転台と制御")
        .section("[Handle]", {i(v.handle)})
        .section("[BrakeType]", {i(v.brakeType)});
    t.section("[BrakeType2]", {i(v.brakeType2)})
        .section("[Brake]", {i(v.brake)})
        .section("[Power]", {i(v.power)});
    t.section("[NotchBack]", {i(v.notchBack)})
        .section("[Hold]", {i(v.hold)})
        .section("[Pull]", {i(v.pull)});
    t.section("[Const]", {i(v.constNotch), i(v.constMinSpeed)}).section("[Back]", {i(v.back)});
    t.line("; ブレーキ性能");
    t.section("[BrakeRate]", {d(v.brakeRateAir), d(v.brakeRateElec), d(v.brakeRateSpeed)});
    t.section("[BrakeRate2]", {d(v.frictionCoef)});
    t.section("[PowerDelay]", {i(v.powerDelay)}).section("[BrakeDelay]", {i(v.brakeDelay)});
    t.section("[EBrakeDelay]", {i(v.eBrakeDelay)}).section("[PowerJerk]", {i(v.powerJerk)});
    t.section("[SAPDelay]", {i(v.sapDelay)})
        .section("[BrakeUp]", {i(v.brakeUp)})
        .section("[BrakeDown]", {i(v.brakeDown)});
    t.section("[SAPUp]", {i(v.sapUp)}).section("[SAPDown]", {i(v.sapDown)});
    t.section("[EBrakeUp]", {i(v.eBrakeUp)}).section("[EBrakeDown]", {i(v.eBrakeDown)});
    t.section("[EBrakeCurr]", {i(v.eBrakeCurr)}).section("[BPReturn]", {i(v.bpReturn)});
    t.section("[MAXPress]", {i(v.maxPress)})
        .section("[EBPress]", {i(v.ebPress)})
        .section("[SAPPress]", {i(v.sapPress)});
    t.section("[HighAirPress]", {i(v.highAirPress)}).section("[LowAirPress]", {i(v.lowAirPress)});
    t.line("; 車両");
    t.section("[Engine_Type]", {i(v.engineType)}).section("[DoorLock]", {i(v.doorLock)});
    t.section("[Power_Type]", {i(v.powerType)}).section("[Brake_Type]", {i(v.brake_Type)});
    t.section("[DoorType]", {i(v.doorType)}).section("[Mt]", {d(v.mt)}).section("[Tt]", {d(v.tt)});
    t.section("[Tct]", {d(v.tct)}).section("[Cars]", {i(v.cars)}).section("[Tons]", {d(v.tons)});
    t.section("[EB]", {i(v.eb)})
        .section("[MaxSpeed]", {i(v.maxSpeed)})
        .section("[Lose_elec]", {i(v.loseElec)});
    t.section("[ELBR]", {i(v.elbr)}).section("[Mc]", {i(v.mc)});
    t.line("; 保安装置");
    t.section("[ATS_Type]", {i(v.atsType)}).section("[ATS_Alert]", {i(v.atsAlert)});
    t.section("[ATS_Time]", {i(v.atsTime)}).section("[ATS_Cnt]", {i(v.atsCnt)});
}

void sounds(DataText& t, const VehicleDesign& v) {
    const int brakes = v.brakeType == 0 ? 4 : v.brake;
    t.line("; 運転操作の音 (番号は [DriveSound] の順)");
    t.section("[Sound_BK]", repeat(kBrakeRelease, brakes))
        .section("[Sound_BR]", repeat(kBrakeRelease, brakes));
    t.section("[Sound_BA]", repeat(kBrakeApply, brakes + 1));
    t.section("[Sound_PA]", repeat(kPowerClick, v.power))
        .section("[Sound_PR]", repeat(kPowerOff, v.power));
    t.section("[Sound_EB]", {i(kEmergency), ";"})
        .section("[Sound_Apply]", {i(kApplyAir), i(kBrakeClick)});
    t.section("[Sound_Ats1]", {i(kAtsBell)}).section("[Sound_Ats2]", {i(kAtsChime)});
    t.section("[Sound_Ats3]", {i(kAtsAck)}).section("[Sound_Atc]", {i(kCabSignal)});
    t.section("[Sound_Horn]", {i(kHorn)})
        .section("[Sound_Horn2]", {i(kWhistle)})
        .section("[Sound_Horn3]", {i(kHorn3)});
    t.section("[Sound_Horn4]", {i(kHornStart), i(kHornSustainA), i(kHornSustainB), i(kHornEnd),
                                i(kHornInterval), i(v.hornAir)});
    t.section("[Sound_DoorOpen]", {i(kDoorOpen)}).section("[Sound_DoorClose]", {i(kDoorClose)});
    t.section("[Sound_EBring]", {i(kVigilanceBell)}).section("[Sound_squeak]", {i(kSqueal)});
    t.section("[CP_Start]", {i(kCompressorStart)}).section("[CP_Cnt]", {i(kCompressorRun)});
    t.section("[CP_End]", {i(kCompressorEnd)})
        .section("[Stop]", {i(kStopAlarm)})
        .section("[Buzzer]", {i(kBuzzer)});
    t.section("[DepSign]", {i(kDepartureSignal)}).section("[ATS_Warn]", {i(kAtsWarn)});
    // The slow clatter below 40 km/h, the quick one above.
    t.list("[SwitchSound]", {csv(int(kPointsSlow), 40, 1), csv(int(kPointsFast), 300, 1)});
}

void traction(DataText& t, const VehicleDesign& v) {
    t.line("; 主回路");
    if (!v.engineRates.empty()) {
        std::vector<std::string> rows;
        for (const auto& r : v.engineRates) rows.push_back(csv(r.offset, d(r.factor)));
        t.list("[EngineRate]", rows);
    }
    if (!v.gearType.empty()) t.section("[Gear_Type]", {v.gearType});
    if (!v.notches.empty()) {
        std::vector<std::string> lines;
        for (const auto& n : v.notches)
            for (const auto& s : {d(n.accelStart), d(n.accelConst), i(n.speedConst),
                                  i(n.speedPower), d(n.decayBase), i(n.mode)})
                lines.push_back(s);
        t.list("[Notch]", lines);
    }
    if (!v.resistorSteps.empty()) {
        std::vector<std::string> lines{i(v.maxCurrent), d(v.currAccel), d(v.currSpeed)};
        for (std::size_t k = 0; k < v.resistorSteps.size(); ++k) {
            const auto& s = v.resistorSteps[k];
            lines.push_back(csv(s.notch, d(s.k, 1), d(s.v0, 2), int(k)));
        }
        t.list("[CurrentP]", lines);
    }
    if (!v.brakeCurrMax.empty()) {
        std::vector<std::string> lines;
        for (int c : v.brakeCurrMax) lines.push_back(i(c));
        t.list("[BrakeCurr]", lines);
        std::vector<std::string> rows;
        for (std::size_t k = 0; k < v.brakeCurrentSteps.size(); ++k)
            rows.push_back(
                csv(d(v.brakeCurrentSteps[k].a, 5), d(v.brakeCurrentSteps[k].b, 2), int(k)));
        t.list("[CurrentB]", rows);
    }
    if (!v.engine.empty()) {
        std::vector<std::string> lines;
        for (const auto& e : v.engine)
            for (const auto& s : {i(e.speedLow), i(e.speedHigh), i(e.speedMax), d(e.effortLow, 1),
                                  d(e.effortHigh, 1), d(e.effortMax, 1)})
                lines.push_back(s);
        t.list("[Engine]", lines);
    }
    std::vector<std::string> modes;
    for (const auto& [first, second] : v.powerModes) modes.push_back(csv(first, second));
    t.list("[PowerMode]", modes);
}

void motorSounds(DataText& t, const VehicleDesign& v) {
    t.line("; モーター音・エンジン音");
    std::vector<std::string> lines;
    for (const auto& s : v.tractionSounds) {
        lines.push_back(v.assets + s.name);
        lines.push_back(i(s.kind));
        for (const auto* a : {&s.x, &s.pitch, &s.gain})
            for (double x : *a) lines.push_back(d(x, 2));
    }
    t.list("[EngineSound1]", lines);
    if (v.engineType == 0)
        t.section("[EngineSound2]",
                  {i(kEngineIdle), i(kEngineIdleDoors), i(kEngineStart), i(kEngineStop)});
    if (!v.gearSounds.empty()) {
        std::vector<std::string> gear;
        for (const auto& s : v.gearSounds) {
            gear.push_back(v.assets + s.name);
            gear.push_back(i(s.kind));
            gear.push_back(i(s.gear));
            for (const auto* a : {&s.x, &s.pitch, &s.gain})
                for (double x : *a) gear.push_back(d(x, 2));
        }
        t.list("[EngineSound3]", gear);
    }
    std::vector<std::string> drive;
    for (int k = 0; k < kDriveSoundCount; ++k) drive.push_back(v.assets + driveSoundName(k));
    t.line("; 走行音 (0〜12 は 0〜120 km/h の走行音)").list("[DriveSound]", drive);
}

void panel(DataText& t, const VehicleDesign& v, const PanelLayout& p) {
    const auto file = [&](const std::string& name) { return v.assets + name; };
    t.line("; 運転台");
    t.section("[Clock]", {i(p.clockX), i(p.clockY), i(p.clockHand)});
    t.section("[Panel]", {file(p.panel), "0", i(kPanelTop)});
    t.section("[Panel2]", {file(p.panel2), "0", i(kPanelTop)});
    for (const auto& l : p.lamps) t.section(l.key, {file(l.file), i(l.rect.x), i(l.rect.y)});
    const auto round = [&](const char* key, const NeedlePart& n) {
        t.section(key, {file(n.file), i(n.x()), i(n.y()), i(n.cx), i(n.cy), i(n.startAngle),
                        d(n.rate, 5)});
    };
    const auto bar = [&](const char* key, const BarPart& b) {
        t.section(key, {file(b.file), i(b.window.x), i(b.window.y + b.window.h), d(b.rate, 5)});
    };
    const NeedlePart& s = p.speed;
    t.section("[Needle_Speed]", {file(s.file), i(s.x()), i(s.y()), i(s.cx), i(s.cy),
                                 i(s.startAngle), d(s.rate, 5), "0"});
    round("[Needle_BC]", p.bc);
    bar("[Needle_BC_L]", p.bcBar);
    round("[Needle_SAP]", p.sap);
    round("[Needle_ER]", p.er);
    round("[Needle_BP]", p.bp);
    round("[Needle_MR]", p.mr);
    bar("[Needle_MR_L]", p.mrBar);
    round("[Needle_V]", p.volt);
    t.section("[Needle_I]", {file(p.amp.file), i(p.amp.x()), i(p.amp.y()), i(p.amp.cx), i(p.amp.cy),
                             i(p.amp.startAngle), d(p.amp.rate, 5), i(p.ammeterSource)});
    const auto pattern = [&](const char* key, const PatternPart& part) {
        return std::vector<std::string>{i(part.rect.x), i(part.rect.y), i(part.rect.w),
                                        i(part.rect.h), file(part.file)};
    };
    std::vector<std::string> cab = pattern("[Lamp_signal]", p.cabSignal);
    for (int speed : p.cabSignalSpeeds) cab.push_back(i(speed));
    t.list("[Lamp_signal]", cab);
    t.section("[NotchImageP]", pattern("", p.notchP))
        .section("[NotchImageB]", pattern("", p.notchB));
    t.section("[NotchImageP2]", pattern("", p.notchP2))
        .section("[NotchImageB2]", pattern("", p.notchB2));
    t.section("[GearImageList]", pattern("", p.gear))
        .section("[GearImageList2]", pattern("", p.gearLever));
    t.section("[Digi_Speed]", pattern("", p.digiSpeed));
    std::vector<std::string> others;
    for (const auto& o : p.others) {
        others.push_back(file(o.file));
        others.push_back(i(o.rect.x));
        others.push_back(i(o.rect.y));
    }
    t.list("[Others]", others);
}

}  // namespace

void writeVehicleFile(const std::filesystem::path& root, const VehicleDesign& v,
                      const PanelLayout& layout) {
    DataText t;
    t.line("; " + v.title + " 車両ファイル (デモデータ生成プログラムが作成)").line();
    performance(t, v);
    sounds(t, v);
    traction(t, v);
    motorSounds(t, v);
    panel(t, v, layout);
    t.save(onDisk(root, v.folder + v.fileName));
}

}  // namespace tovra::demo
