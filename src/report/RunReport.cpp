#include "report/RunReport.h"

#include <algorithm>
#include <cmath>

#include "common/UiText.h"
#include "report/ReportText.h"
#include "report/SvgPlot.h"

namespace tovra {

namespace {

constexpr int kChartWidth = 1000, kChartHeight = 380;
constexpr double kJoulesPerKwh = 3.6e6;

constexpr const char* kStyle = R"css(
body { font-family: "IPAGothic", "IPAPGothic", sans-serif; margin: 24px; color: #222; }
h1 { font-size: 22px; margin: 0 0 4px; }
h2 { font-size: 17px; margin: 22px 0 6px; }
.subtitle { color: #555; margin: 0 0 12px; }
.figures td, .figures th { padding: 2px 14px 2px 0; text-align: left; }
.score { font-size: 40px; font-weight: bold; color: #0b6e4f; }
table.list { border-collapse: collapse; }
table.list th, table.list td { border: 1px solid #bbb; padding: 3px 8px; text-align: right; }
table.list th { background: #eef2f8; }
table.list td.name { text-align: left; }
svg { display: block; background: #fff; }
svg .frame { fill: none; stroke: #888; }
svg .grid { fill: none; stroke: #e4e4e4; }
svg .xtick { font-size: 11px; text-anchor: middle; transform: translateY(15px); }
svg .xname { font-size: 12px; text-anchor: middle; transform: translateY(32px); }
svg .ytick { font-size: 11px; text-anchor: end; transform: translate(-6px, 4px); }
svg .yname { font-size: 12px; text-anchor: start; transform: translate(-50px, -20px); }
svg .window { fill: #ffe9a8; opacity: 0.8; }
svg .station { font-size: 11px; text-anchor: middle; transform: translateY(-4px); }
svg .section { fill: none; stroke: #d62728; stroke-width: 1.5; }
svg .signal { fill: none; stroke: #ff7f0e; stroke-width: 1.5; stroke-dasharray: 6 3; }
svg .pattern { fill: none; stroke: #9467bd; stroke-width: 1.2; stroke-dasharray: 2 2; }
svg .earlier { fill: none; stroke: #7f7f7f; stroke-width: 0.8; }
svg .leg { fill: none; stroke: #1f5fbf; stroke-width: 2; }
svg .timetable { fill: #d62728; }
.legend span { margin-right: 18px; }
.legend i { display: inline-block; width: 26px; height: 0; vertical-align: middle;
  margin-right: 4px; border-top: 2px solid; }
.rules li { margin: 2px 0; }
)css";

// A step of 1, 2 or 5 times a power of ten giving about `count` ticks.
double niceStep(double span, double count) {
    const double raw = std::max(span, 1e-9) / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

// A time step in whole minutes, or seconds for short runs.
double timeStep(double span) {
    for (const double s : {10.0, 30.0, 60.0, 120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0})
        if (span / s <= 10) return s;
    return 7200;
}

std::string signedSeconds(std::optional<double> v) {
    if (!v) return "—";
    return (*v > 0 ? "+" : "") + fixedText(*v, 1);
}

std::string clockOr(std::optional<std::int32_t> clock) {
    return clock ? clockText(*clock) : "—";
}

const char* interventionName(RunEventKind kind) {
    switch (kind) {
        case RunEventKind::ProtectionBrake:
            return uiTextMark("RunReport", "ATS常用ブレーキ");
        case RunEventKind::ProtectionEmergency:
            return uiTextMark("RunReport", "ATS非常ブレーキ");
        case RunEventKind::Bell:
            return uiTextMark("RunReport", "ATSベル");
        default:
            return uiTextMark("RunReport", "非常ブレーキ(運転士)");
    }
}

// A limit drawn as a line wherever it is in force.
template <typename Get>
void limitPath(SvgPlot& plot, const std::vector<RunSample>& samples, Get limitOf, int absent,
               const char* cssClass) {
    plot.beginPath();
    bool broken = true;
    std::int16_t leg = -1;
    for (const RunSample& s : samples) {
        const int limit = limitOf(s);
        if (limit <= 0 || limit >= absent || s.leg != leg) {
            broken = true;
            leg = s.leg;
            if (limit <= 0 || limit >= absent) continue;
        }
        if (broken)
            plot.moveTo(s.position / 1e5, limit);
        else
            plot.lineTo(s.position / 1e5, limit);
        broken = false;
    }
    plot.endPath(cssClass);
}

void speedChart(std::string& out, const ReportSubject& subject, const RunRecord& record,
                const EarlierRun* earlier) {
    const auto& samples = record.samples;
    double low = samples.front().position, high = low, top = 0;
    for (const RunSample& s : samples) {
        low = std::min(low, s.position);
        high = std::max(high, s.position);
        top = std::max({top, double(std::abs(s.speed)), double(s.sectionLimit),
                        s.signalLimit < 998 ? double(s.signalLimit) : 0.0});
    }
    top = std::ceil((top + 5) / 20) * 20;
    const SvgPlot::Range x{low / 1e5, high / 1e5};
    const double xStep = niceStep(x.high - x.low, 10);
    SvgPlot plot(out, x, {0, top}, kChartWidth, kChartHeight);
    plot.open(
        uiText("RunReport", "速度と距離"), xStep, 20,
        [&](double v) {
            return fixedText(v, xStep < 0.1 ? 2 : xStep < 1 ? 1 : 0);
        },
        uiText("RunReport", "距離 (km)"), uiText("RunReport", "速度 (km/h)"));
    for (const StationRecord& st : subject.stations) {
        if (st.kind != 0 && st.kind != 2) continue;
        const double from = double(st.zoneStart) / 1e5, to = double(st.zoneEnd) / 1e5;
        if (to < x.low || from > x.high) continue;
        plot.rect(std::max(from, x.low), std::min(to, x.high), "window");
        plot.text(std::clamp(double(st.stopPosition) / 1e5, x.low, x.high), top, st.name,
                  "station");
    }
    limitPath(
        plot, samples, [](const RunSample& s) { return int(s.sectionLimit); }, 999, "section");
    limitPath(
        plot, samples, [](const RunSample& s) { return int(s.signalLimit); }, 998, "signal");
    limitPath(
        plot, samples, [](const RunSample& s) { return int(s.patternSpeed); }, 999, "pattern");
    if (earlier) {
        plot.beginPath();
        for (const auto& leg : earlier->curve) {
            bool first = true;
            for (const CurvePoint& p : leg) {
                if (p.position / 1000 < x.low || p.position / 1000 > x.high) {
                    first = true;
                    continue;
                }
                if (first)
                    plot.moveTo(p.position / 1000, std::abs(p.speed));
                else
                    plot.lineTo(p.position / 1000, std::abs(p.speed));
                first = false;
            }
        }
        plot.endPath("earlier");
    }
    // One curve per leg.
    for (std::int16_t leg = 0; leg < record.legs; ++leg) {
        bool any = false;
        for (const RunSample& s : samples) {
            if (s.leg != leg) continue;
            if (!any) plot.beginPath();
            plot.lineTo(s.position / 1e5, std::abs(s.speed));
            any = true;
        }
        if (any) plot.endPath("leg");
    }
    plot.close();
}

void timeChart(std::string& out, const ReportSubject& subject, const RunRecord& record) {
    const auto& samples = record.samples;
    double t0 = samples.front().clock / 30.0, t1 = t0, low = samples.front().position, high = low;
    for (const RunSample& s : samples) {
        t0 = std::min(t0, s.clock / 30.0);
        t1 = std::max(t1, s.clock / 30.0);
        low = std::min(low, s.position);
        high = std::max(high, s.position);
    }
    const double step = timeStep(t1 - t0);
    const SvgPlot::Range y{low / 1e5, high / 1e5};
    SvgPlot plot(out, {t0, t1}, y, kChartWidth, kChartHeight);
    plot.open(
        uiText("RunReport", "時刻と距離"), step, niceStep(y.high - y.low, 6),
        [](double v) { return clockText(std::int32_t(std::lround(v * 30))).substr(0, 5); },
        uiText("RunReport", "時刻"), uiText("RunReport", "距離 (km)"));
    for (const StationRecord& st : subject.stations) {
        const double t = st.departureTime / 30.0, km = double(st.stopPosition) / 1e5;
        if (st.departureTime == 0 || t < t0 || t > t1 || km < y.low || km > y.high) continue;
        plot.circle(t, km, "timetable");
        plot.text(t, km, st.name, "station");
    }
    for (std::int16_t leg = 0; leg < record.legs; ++leg) {
        bool any = false;
        for (const RunSample& s : samples) {
            if (s.leg != leg) continue;
            if (!any) plot.beginPath();
            plot.lineTo(s.clock / 30.0, s.position / 1e5);
            any = true;
        }
        if (any) plot.endPath("leg");
    }
    plot.close();
}

void cell(std::string& out, std::string_view text, std::string_view cssClass = {}) {
    out += cssClass.empty() ? "<td>" : "<td class=\"" + std::string(cssClass) + "\">";
    appendEscaped(out, text);
    out += "</td>";
}

void stationTable(std::string& out, const ReportSubject& subject, const RunSummary& summary) {
    out += "<h2>" + uiText("RunReport", "駅ごとの記録") + "</h2>\n";
    if (summary.visits.empty()) {
        out += "<p>" + uiText("RunReport", "駅での停車はありません。") + "</p>\n";
        return;
    }
    out += "<table class=\"list\"><tr>";
    for (const char* heading :
         {uiTextMark("RunReport", "駅"), uiTextMark("RunReport", "区間"),
          uiTextMark("RunReport", "停止位置誤差 (m)"), uiTextMark("RunReport", "到着"),
          uiTextMark("RunReport", "到着-発車時刻 (秒)"), uiTextMark("RunReport", "ドア開"),
          uiTextMark("RunReport", "ドア閉"), uiTextMark("RunReport", "発車"),
          uiTextMark("RunReport", "発車の遅れ (秒)")})
        out += "<th>" + uiText("RunReport", heading) + "</th>";
    out += "</tr>\n";
    for (const StationVisit& v : summary.visits) {
        const StationRecord& st = subject.stations[std::size_t(v.station)];
        out += "<tr class=\"visit\" data-station=\"" + std::to_string(v.station) + "\">";
        cell(out, st.name, "name");
        cell(out, std::to_string(v.leg + 1));
        cell(out, v.stopError ? fixedText(*v.stopError, 2) : "—", "stop-error");
        cell(out, clockOr(v.arrival));
        cell(out, signedSeconds(againstTimetable(st, v.arrival)), "arrival-against");
        cell(out, clockOr(v.doorsOpened));
        cell(out, clockOr(v.doorsClosed));
        cell(out, clockOr(v.departure));
        cell(out, signedSeconds(againstTimetable(st, v.departure)), "departure-late");
        out += "</tr>\n";
    }
    out += "</table>\n";
}

void interventionTable(std::string& out, const RunSummary& summary) {
    out += "<h2>" + uiText("RunReport", "ATS・非常ブレーキ") + "</h2>\n";
    if (summary.interventions.empty()) {
        out += "<p>" + uiText("RunReport", "ありません。") + "</p>\n";
        return;
    }
    out += "<table class=\"list\"><tr><th>" + uiText("RunReport", "種類") + "</th><th>" +
           uiText("RunReport", "時刻") + "</th><th>" + uiText("RunReport", "位置 (m)") +
           "</th><th>" + uiText("RunReport", "速度 (km/h)") + "</th></tr>\n";
    for (const RunEvent& e : summary.interventions) {
        out += "<tr class=\"intervention\">";
        cell(out, uiText("RunReport", interventionName(e.kind)), "name");
        cell(out, clockText(e.clock));
        cell(out, fixedText(e.position / 100, 0));
        cell(out, fixedText(e.speed, 1));
        out += "</tr>\n";
    }
    out += "</table>\n";
}

void figureRow(std::string& out, std::string_view name, const std::string& value,
               std::string_view cssClass) {
    out += "<tr><th>";
    out += name;
    out += "</th>";
    cell(out, value, cssClass);
    out += "</tr>\n";
}

void figures(std::string& out, const RunRecord& record, const RunSummary& summary) {
    const RunTotals& t = record.totals;
    const RunScore& s = summary.score;
    out += "<table class=\"figures\">\n<tr><th>" + uiText("RunReport", "得点") +
           "</th><td class=\"score\">" + std::to_string(s.total) + "</td></tr>\n";
    figureRow(out, uiText("RunReport", "走行距離 (km)"), fixedText(t.drivenDistance / 1e5, 2),
              "distance");
    figureRow(out, uiText("RunReport", "消費電力量 (kWh)"),
              fixedText(t.energyUsed / kJoulesPerKwh, 3), "energy-used");
    figureRow(out, uiText("RunReport", "回生電力量 (kWh)"),
              fixedText(t.energyRegenerated / kJoulesPerKwh, 3), "energy-regenerated");
    figureRow(out, uiText("RunReport", "最大減速度 (m/s²)"), fixedText(t.peakDeceleration, 2),
              "peak-deceleration");
    figureRow(out, uiText("RunReport", "1 m/s³を超える衝動 (回)"), std::to_string(t.jerks),
              "jerks");
    figureRow(out, uiText("RunReport", "制限速度超過 (秒)"), fixedText(t.overspeedTicks / 10.0, 1),
              "overspeed");
    out += "</table>\n";
}

void scoreRules(std::string& out, const RunScore& s) {
    const auto item = [&](std::string_view rule, std::int32_t taken) {
        out += "<li>";
        out += rule;
        out += ": −" + std::to_string(taken) + "</li>\n";
    };
    out += "<h2>" + uiText("RunReport", "得点の決め方") + "</h2>\n<p>" +
           uiText("RunReport", "100点から次を引きます (0点未満にはなりません)。") +
           "</p>\n<ul class=\"rules\">\n";
    item(uiText("RunReport", "停止位置: 停止目標からの誤差0.5 mごとに1点"), s.stops);
    item(uiText("RunReport", "発車: 時刻表より5秒遅れるごとに1点、早発は5点"), s.departures);
    item(uiText("RunReport",
                "ATS: 常用ブレーキ・非常ブレーキ(運転士)10点、ATS非常ブレーキ20点、ベル3点"),
         s.protection);
    item(uiText("RunReport", "速度: 区間・信号の制限速度を超えた1秒ごとに1点"), s.overspeed);
    item(uiText("RunReport", "乗り心地: 1 m/s³を超える衝動1回ごとに1点 (最大20点)"), s.comfort);
    out += "</ul>\n";
}

void meta(std::string& out, std::string_view name, std::string_view content) {
    out += "<meta name=\"";
    out += name;
    out += "\" content=\"";
    appendEscaped(out, content);
    out += "\"/>\n";
}

}  // namespace

std::string runReportHtml(const ReportSubject& subject, const RunRecord& record,
                          const RunSummary& summary, const EarlierRun* earlier) {
    std::string out;
    out.reserve(record.samples.size() * 40 + 16384);
    // The page's language code is the catalogue's own, so that a browser picks fonts for it.
    out += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"" +
           uiText("RunReport", "ja") + "\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    meta(out, "tovra-route", subject.routeFile);
    meta(out, "tovra-train", subject.vehicleFile);
    meta(out, "tovra-when", subject.when);
    meta(out, "tovra-score", std::to_string(summary.score.total));
    out += "<title>" + uiText("RunReport", "運転記録") + " ";
    appendEscaped(out, subject.lineName + " " + subject.when);
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<h1>" + uiText("RunReport", "運転記録") + ": ";
    appendEscaped(out, subject.lineName);
    out += "</h1>\n<p class=\"subtitle\">";
    appendEscaped(out, subject.routeFile + " / " + subject.vehicleFile + " / " + subject.when);
    out += "</p>\n";
    figures(out, record, summary);
    if (!record.samples.empty()) {
        out += "<h2>" + uiText("RunReport", "速度と制限速度") + "</h2>\n<p class=\"legend\">" +
               "<span><i style=\"border-color:#1f5fbf\"></i>" + uiText("RunReport", "速度") +
               "</span>" + "<span><i style=\"border-color:#d62728\"></i>" +
               uiText("RunReport", "区間の制限") + "</span>" +
               "<span><i style=\"border-color:#ff7f0e;border-top-style:dashed\"></i>" +
               uiText("RunReport", "信号の制限") + "</span>" +
               "<span><i style=\"border-color:#9467bd;border-top-style:dotted\"></i>" +
               uiText("RunReport", "パターン") + "</span>" +
               "<span><i style=\"border-color:#ffe9a8;border-top-width:8px\"></i>" +
               uiText("RunReport", "停止位置の範囲") + "</span>";
        if (earlier) {
            out += "<span><i style=\"border-color:#7f7f7f;border-top-width:1px\"></i>";
            appendEscaped(out, fillIn(uiText("RunReport", "これまでの最高 (%1点, %2)"),
                                      {std::to_string(earlier->score), earlier->when}));
            out += "</span>";
        }
        out += "</p>\n";
        speedChart(out, subject, record, earlier);
        out += "<h2>" + uiText("RunReport", "時刻と距離") + "</h2>\n<p class=\"legend\">" +
               "<span><i style=\"border-color:#1f5fbf\"></i>" + uiText("RunReport", "列車") +
               "</span>" + "<span>● " + uiText("RunReport", "時刻表の発車時刻") + "</span></p>\n";
        timeChart(out, subject, record);
    }
    stationTable(out, subject, summary);
    interventionTable(out, summary);
    scoreRules(out, summary.score);
    out += "<p>" + uiText("RunReport", "記録は同じ名前の CSV ファイルにもあります。") +
           "</p>\n</body>\n</html>\n";
    return out;
}

}  // namespace tovra
