#include "demo-gen/RouteAudio.h"

#include <algorithm>
#include <set>

namespace tovra::demo {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

class Builder {
  public:
    int add(AudioItem item) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].file == item.file) return int(i);
        items.push_back(std::move(item));
        return int(items.size()) - 1;
    }
    std::vector<AudioItem> items;
};

std::string path(const std::string& name) {
    return "sound\\line\\" + name + ".wav";
}

}  // namespace

RouteAudio routeAudio(const LinePlan& plan, const ServicePlan& s) {
    const RunPlan& run = plan.run(s.dir);
    const auto& stations = plan.world.stations;
    const auto site = [&](std::size_t i) -> const StationSite& {
        return stations[std::size_t(run.stationOrder[i])];
    };
    const std::size_t n = run.stationOrder.size();
    const StationSite& terminus = site(n - 1);
    Builder b;
    RouteAudio a;
    const std::string serviceKana =
        s.kinds == std::vector<int>(n, 0) ? "かくえき ていしゃ" : "かいそく";
    const std::string id = lower(s.routeFile.substr(0, s.routeFile.find('.')));
    b.add({path("start_" + id), AudioKind::Speech,
           "ごじょうしゃ ありがとう ございます。 この でんしゃは、 " + serviceKana + "、 " +
               terminus.kana + " ゆきです。 まもなく はっしゃ いたします。"});
    a.platform = b.add({path("platform"), AudioKind::Platform, ""});
    for (std::size_t i = 0; i < n; ++i) {
        const StationSite& st = site(i);
        const std::string roman = lower(st.roman);
        if (i + 1 == n) {
            a.arrival.push_back(
                b.add({path("arrive_end_" + roman), AudioKind::Speech,
                       "ごじょうしゃ ありがとう ございました。 しゅうてん、 " + st.kana +
                           " です。 おわすれものの ない よう、 ごちゅうい ください。"}));
        } else {
            a.arrival.push_back(
                b.add({path("arrive_" + roman), AudioKind::Speech,
                       st.kana + "、 " + st.kana + " です。 でぐちは ひだりがわ です。"}));
        }
        const bool doors = s.kinds[i] == 0;
        a.departure.push_back(
            doors ? b.add({path("melody_" + roman), AudioKind::Melody, "", run.stationOrder[i]})
                  : b.add({path("signal_clear"), AudioKind::SignalChime, ""}));
    }
    for (std::size_t i = 0; i < n; ++i) {
        const StationSite& st = site(i);
        const std::string roman = lower(st.roman);
        a.nextStop.push_back(
            b.add({path("next_" + roman), AudioKind::Speech, "つぎは、 " + st.kana + " です。"}));
        a.approach.push_back(
            b.add({path("soon_" + roman), AudioKind::Speech,
                   "まもなく、 " + st.kana + " です。 おおりの かたは、 おしたくを ねがいます。"}));
    }
    a.overrun = b.add({path("overrun"), AudioKind::Speech,
                       "ていしいちを しゅうせい いたします。 しばらく おまち ください。"});
    a.passingTrain = b.add({path("passing_train"), AudioKind::PassingTrain, ""});
    a.crossingBell = b.add({path("crossing_bell"), AudioKind::CrossingBell, ""});
    a.tunnel = b.add({path("tunnel"), AudioKind::Tunnel, ""});
    a.bridge = b.add({path("bridge"), AudioKind::Bridge, ""});
    a.cabAir = b.add({path("cab_air"), AudioKind::CabAir, ""});
    a.passWarning = b.add(
        {path("pass_warning"), AudioKind::Speech,
         "まもなく、 つうか でんしゃが まいります。 きいろい せんの うちがわで おまち ください。"});
    a.items = std::move(b.items);
    return a;
}

std::vector<AudioItem> allRouteAudio(const LinePlan& plan) {
    std::vector<AudioItem> all;
    std::set<std::string> seen;
    for (const ServicePlan& s : plan.services)
        for (const AudioItem& item : routeAudio(plan, s).items)
            if (seen.insert(item.file).second) all.push_back(item);
    return all;
}

}  // namespace tovra::demo
