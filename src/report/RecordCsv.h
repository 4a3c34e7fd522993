#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "report/RunRecord.h"

namespace tovra {

// One (position m, speed km/h) point of a speed curve.
struct CurvePoint {
    double position = 0;
    double speed = 0;
};
using SpeedCurve = std::vector<std::vector<CurvePoint>>;  // one per leg

// The samples, one line each, under a header of column names.
void writeRecordCsv(std::ostream& out, const RunRecord& record);

// The speed curves of a record written by writeRecordCsv; none when the
// file cannot be read or is not such a record.
std::optional<SpeedCurve> readSpeedCurve(const std::filesystem::path& csv);

}  // namespace tovra
