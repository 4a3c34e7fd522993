#pragma once

#include <string>
#include <vector>

#include "demo-gen/LinePlan.h"

namespace tovra::demo {

// One spoken call-out of the driver.
struct CalloutItem {
    std::string file;  // relative to the data folder
    std::string speech;
};

// Pictures of the "other signs" list of a route; a sign and its call-out share
// the index.
enum OtherSign {
    kTimeCheckMark = 0,
    kWhistleBoard = 1,
    kStationApproachBoard = 3,
    kOtherSignCount = 5
};

// The limit call-outs by index, which each "[SpeedLimit]" entry carries: 0
// ends a limit, the others name a speed.
const std::vector<int>& limitSignSpeeds();
int limitSignIndex(int speed);

// The 22 call-outs whose roles the program fixes: signal aspects, time
// differences, doors closed, departure.
const std::vector<CalloutItem>& fixedCallouts();

struct RouteCallouts {
    // "[KankoSound2]": the name of each signal of the route in order (so that
    // entry k belongs to signal k), then the phrases below.
    std::vector<CalloutItem> second;
    std::vector<int> stopCallout;  // per station: "next stop" or "passing", a call-out index
    int positionOk = 0;
    int crossingOk = 0;
    int platformOk = 0;
    std::vector<CalloutItem> other;  // per other-sign picture
    std::vector<CalloutItem> limit;  // per speed-limit picture
};

// The signals of one direction in running order.
std::vector<const SignalSite*> signalsOf(const LineWorld& world, Direction dir);

RouteCallouts routeCallouts(const LinePlan& plan, const ServicePlan& service);

// Every call-out of every route, each file once.
std::vector<CalloutItem> allCallouts(const LinePlan& plan);

}  // namespace tovra::demo
