#include "report/ReportFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "common/UiText.h"

namespace tovra {

namespace fs = std::filesystem;

namespace {

// The data file's name without ".dat", kept to characters safe in any file name.
std::string namePart(const std::string& file) {
    std::string name = fs::path(file).stem().string();
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ' ' || static_cast<unsigned char>(c) < 0x20) c = '-';
    return name;
}

std::optional<std::string> metaOf(const std::string& head, const std::string& name) {
    const std::regex pattern("<meta name=\"" + name + "\" content=\"([^\"]*)\"/>");
    std::smatch m;
    if (!std::regex_search(head, m, pattern)) return std::nullopt;
    return m[1];
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error(
            fillIn(uiText("RunReport", "運転記録を書き込めません: %1"), {path.string()}));
}

}  // namespace

fs::path runsFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = data && *data   ? fs::path(data)
                    : home && *home ? fs::path(home) / ".local" / "share"
                                    : fs::temp_directory_path();
    return base / "tovra" / "runs";
}

std::string reportFileName(const std::string& stamp, const std::string& routeFile,
                           const std::string& vehicleFile) {
    return stamp + "_" + namePart(routeFile) + "_" + namePart(vehicleFile) + ".html";
}

std::optional<EarlierRun> bestEarlierRun(const fs::path& folder, const std::string& routeFile,
                                         const std::string& vehicleFile, const fs::path& except) {
    std::error_code error;
    std::optional<EarlierRun> best;
    fs::path bestFile;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& file = entry.path();
        if (file.extension() != ".html" || fs::equivalent(file, except, error)) continue;
        // The names and the score stand in the page's head.
        std::ifstream in(file, std::ios::binary);
        std::string head(4096, '\0');
        in.read(head.data(), std::streamsize(head.size()));
        head.resize(std::size_t(in.gcount()));
        const auto score = metaOf(head, "tovra-score");
        if (metaOf(head, "tovra-route") != routeFile ||
            metaOf(head, "tovra-train") != vehicleFile || !score)
            continue;
        EarlierRun run;
        run.score = std::atoi(score->c_str());
        if (best && run.score <= best->score) continue;
        run.when = metaOf(head, "tovra-when").value_or("");
        best = std::move(run);
        bestFile = file;
    }
    if (!best) return std::nullopt;
    auto curve = readSpeedCurve(fs::path(bestFile).replace_extension(".csv"));
    if (!curve) return std::nullopt;
    best->curve = std::move(*curve);
    return best;
}

WrittenReport writeRunReport(const fs::path& html, const ReportSubject& subject,
                             const RunRecord& record) {
    const fs::path folder = html.parent_path().empty() ? fs::path(".") : html.parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    const RunSummary summary = summariseRun(record, subject.stations);
    const std::optional<EarlierRun> earlier =
        bestEarlierRun(folder, subject.routeFile, subject.vehicleFile, html);

    WrittenReport written{html, fs::path(html).replace_extension(".csv"), summary.score.total};
    std::ostringstream csv;
    writeRecordCsv(csv, record);
    writeFile(written.csv, csv.str());
    writeFile(html, runReportHtml(subject, record, summary, earlier ? &*earlier : nullptr));
    return written;
}

}  // namespace tovra
