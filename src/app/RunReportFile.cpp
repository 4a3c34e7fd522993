#include "app/RunReportFile.h"

#include <QDateTime>

#include "report/ReportFiles.h"

namespace tovra {

std::filesystem::path RunReportFile::write(const std::string& routeFile,
                                           const std::string& vehicleFile, const RouteSpec& route,
                                           const RunRecord& record) {
    const QDateTime now = QDateTime::currentDateTime();
    if (file_.empty())
        file_ = runsFolder() / reportFileName(now.toString("yyyy-MM-dd_HHmmss").toStdString(),
                                              routeFile, vehicleFile);
    const ReportSubject subject{routeFile, vehicleFile, route.LineName,
                                now.toString("yyyy-MM-dd HH:mm").toStdString(), route.Stations};
    return writeRunReport(file_, subject, record).html;
}

}  // namespace tovra
