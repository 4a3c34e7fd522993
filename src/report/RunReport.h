#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/RouteSpec.h"
#include "report/RecordCsv.h"
#include "report/RunRecord.h"
#include "report/RunSummary.h"

namespace tovra {

// What the report says the run was: the line, the train and when.
struct ReportSubject {
    std::string routeFile;    // "line_rapid_down.dat"
    std::string vehicleFile;  // "train_E231.dat"
    std::string lineName;
    std::string when;  // the date and time the run ended, as the user reads it
    const std::vector<StationRecord>& stations;
};

// The best earlier run on the same line and train.
struct EarlierRun {
    std::string when;
    std::int32_t score = 0;
    SpeedCurve curve;
};

// The whole report as one self-contained XHTML page.
std::string runReportHtml(const ReportSubject& subject, const RunRecord& record,
                          const RunSummary& summary, const EarlierRun* earlier);

}  // namespace tovra
