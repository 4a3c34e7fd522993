#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "report/RunReport.h"

namespace tovra {

// $XDG_DATA_HOME/tovra/runs, by default ~/.local/share/tovra/runs.
std::filesystem::path runsFolder();

// "<stamp>_<route>_<train>.html": `stamp` is the date and time of the run
// ("2026-12-07_153000"), route and train the data files' names without ".dat".
std::string reportFileName(const std::string& stamp, const std::string& routeFile,
                           const std::string& vehicleFile);

// The best-scored earlier report on the same route and train in `folder`,
// other than `except`, with its curve; none when there is none.
std::optional<EarlierRun> bestEarlierRun(const std::filesystem::path& folder,
                                         const std::string& routeFile,
                                         const std::string& vehicleFile,
                                         const std::filesystem::path& except);

struct WrittenReport {
    std::filesystem::path html, csv;
    std::int32_t score = 0;
};

// Writes the report to `html` and the record beside it as CSV, over the best
// earlier run of the same folder; makes the folder. Throws
// std::runtime_error naming the file that could not be written.
WrittenReport writeRunReport(const std::filesystem::path& html, const ReportSubject& subject,
                             const RunRecord& record);

}  // namespace tovra
