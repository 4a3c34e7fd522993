#include "demo-gen/Callouts.h"

#include <algorithm>
#include <set>

namespace tovra::demo {

namespace {

std::string file(const std::string& name) {
    return "sound\\kanko\\" + name + ".wav";
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

const char* const kNumbers[] = {"", "いち", "に", "さん", "よん", "ご", "ろく"};

CalloutItem signalName(const SignalSite& s) {
    switch (s.role) {
        case SignalRole::Starting:
            return {file("sig_starting"), "しゅっぱつ"};
        case SignalRole::Home:
            return {file("sig_home"), "じょうない"};
        case SignalRole::Repeater:
            return {file("sig_repeater"), "ちゅうけい"};
        case SignalRole::Distant:
            return {file("sig_distant"), "えんぽう"};
        case SignalRole::Block:
            break;
    }
    return {file("sig_block" + std::to_string(s.number)),
            std::string("だい") + kNumbers[s.number] + " へいそく"};
}

}  // namespace

const std::vector<int>& limitSignSpeeds() {
    static const std::vector<int> speeds{0, 45, 50, 80};
    return speeds;
}

int limitSignIndex(int speed) {
    const auto& s = limitSignSpeeds();
    const auto it = std::find(s.begin() + 1, s.end(), speed);
    return it == s.end() ? 0 : int(it - s.begin());
}

const std::vector<CalloutItem>& fixedCallouts() {
    static const std::vector<CalloutItem> items{
        {file("k00_stop"), "ていし"},
        {file("k01_restricted"), "けいかい"},
        {file("k02_caution"), "ちゅうい"},
        {file("k03_reduced"), "げんそく"},
        {file("k04_proceed"), "しんこう"},
        {file("k05_repeater"), "ちゅうけい せいげん"},
        {file("k06_20s"), "にじゅう びょう"},
        {file("k07_30s"), "さんじゅう びょう"},
        {file("k08_40s"), "よんじゅう びょう"},
        {file("k09_50s"), "ごじゅう びょう"},
        {file("k10_60s"), "いっぷん"},
        {file("k11_70s"), "いっぷん じゅう びょう"},
        {file("k12_80s"), "いっぷん にじゅう びょう"},
        {file("k13_late"), "おくれ"},
        {file("k14_late_pass"), "おくれて つうか"},
        {file("k15_early"), "はやい"},
        {file("k16_early_pass"), "はやく つうか"},
        {file("k17_on_time"), "ていじ"},
        {file("k18_on_time_pass"), "ていじ つうか"},
        {file("k19_doors_closed"), "とじめ よし"},
        {file("k20_departure"), "しゅっぱつ しんこう"},
        {file("k21_high_proceed"), "こうそく しんこう"},
    };
    return items;
}

std::vector<const SignalSite*> signalsOf(const LineWorld& world, Direction dir) {
    std::vector<const SignalSite*> out;
    for (const SignalSite& s : world.signals)
        if (s.dir == dir) out.push_back(&s);
    const int sign = dir == Direction::Down ? 1 : -1;
    std::sort(out.begin(), out.end(),
              [&](auto* a, auto* b) { return a->chainage * sign < b->chainage * sign; });
    return out;
}

RouteCallouts routeCallouts(const LinePlan& plan, const ServicePlan& service) {
    RouteCallouts r;
    for (const SignalSite* s : signalsOf(plan.world, service.dir))
        r.second.push_back(signalName(*s));
    const auto add = [&](CalloutItem item) {
        r.second.push_back(std::move(item));
        return int(fixedCallouts().size() + r.second.size()) - 1;
    };
    const RunPlan& run = plan.run(service.dir);
    for (std::size_t i = 0; i < run.stationOrder.size(); ++i) {
        const StationSite& st = plan.world.stations[std::size_t(run.stationOrder[i])];
        const std::string roman = lower(st.roman);
        if (service.kinds[i] == 1)
            r.stopCallout.push_back(add({file("pass_" + roman), st.kana + " つうか"}));
        else
            r.stopCallout.push_back(add({file("stop_" + roman), "つぎ " + st.kana + " ていしゃ"}));
    }
    r.positionOk = add({file("position_ok"), "ていし いち よし"});
    r.crossingOk = add({file("crossing_ok"), "ふみきり よし"});
    r.platformOk = add({file("platform_ok"), "ほーむ よし"});
    r.other = {{file("o_time_check"), "じこく かくにん"},
               {file("o_whistle"), "けいてき"},
               {file("o_whistle"), "けいてき"},
               {file("o_station"), "ていしゃば せっきん"},
               {file("o_station"), "ていしゃば せっきん"}};
    r.limit = {{file("l_release"), "せいげん かいじょ"},
               {file("l_45"), "せいげん よんじゅうご"},
               {file("l_50"), "せいげん ごじゅう"},
               {file("l_80"), "せいげん はちじゅう"}};
    return r;
}

std::vector<CalloutItem> allCallouts(const LinePlan& plan) {
    std::vector<CalloutItem> all = fixedCallouts();
    std::set<std::string> seen;
    for (const auto& c : all) seen.insert(c.file);
    for (const ServicePlan& s : plan.services) {
        const RouteCallouts r = routeCallouts(plan, s);
        for (const auto* list : {&r.second, &r.other, &r.limit})
            for (const auto& c : *list)
                if (seen.insert(c.file).second) all.push_back(c);
    }
    return all;
}

}  // namespace tovra::demo
