#pragma once

#include <filesystem>
#include <string>

#include "data/RouteSpec.h"
#include "report/RunRecord.h"

namespace tovra {

// The report of one cab window's run in the user's runs folder: one file,
// named when first written and rewritten with the later state of the run.
class RunReportFile {
  public:
    // Throws std::runtime_error naming the file that could not be written.
    std::filesystem::path write(const std::string& routeFile, const std::string& vehicleFile,
                                const RouteSpec& route, const RunRecord& record);

    // Driving shorter than this leaves no report when the window closes.
    static constexpr double kReportOnCloseCm = 50000;

  private:
    std::filesystem::path file_;
};

}  // namespace tovra
