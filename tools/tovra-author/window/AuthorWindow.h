#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>

#include "Author.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTableWidget;
class QThread;

namespace tovra::author {

class SpeedCurve;

// The video with a scrubber, the speed over the distance of the way chosen
// with the stations marked, and the station table to check and fix before
// the route is written. Measuring runs on a worker thread and can be
// cancelled; every error shows as the window's message.
class AuthorWindow : public QWidget {
  public:
    explicit AuthorWindow(AuthorRequest request, QWidget* parent = nullptr);
    ~AuthorWindow() override;

    // Measures (finding the stops when the table is empty) and, given a
    // route file, writes it; waits when `wait`, as the tests do.
    void measure(bool wait = false);
    void writeRoute(const std::filesystem::path& routeFile, bool wait = false);
    // Starts tovra on the route written last; a message when it cannot.
    void drive();
    bool canDrive() const;

    void showFrame(int frame);
    int shownFrame() const;
    // A station at the frame shown, after the stations before it.
    void addStationHere();
    void removeSelectedStation();
    QTableWidget& table() const { return *table_; }
    QString message() const;
    bool busy() const { return worker_ != nullptr; }

  private:
    void start(AuthorRequest request, bool wait);
    void finished();
    void fillTable(const std::vector<StationInput>& stations);
    // The table's stations; throws std::invalid_argument naming a bad cell.
    std::vector<StationInput> tableStations() const;
    void showMessage(const QString& text, bool error);
    void refreshCurve();

    AuthorRequest request_;
    std::unique_ptr<UprightFrames> frames_;
    VideoFacts video_;
    std::optional<Authored> authored_;
    QLabel* picture_;
    QSlider* slider_;
    QLabel* where_;
    SpeedCurve* curve_;
    QTableWidget* table_;
    QPushButton* measureButton_;
    QPushButton* writeButton_;
    QPushButton* driveButton_;
    QPushButton* cancelButton_;
    QProgressBar* progress_;
    QLabel* message_;

    // The worker's result, read once it has finished.
    QThread* worker_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<int> done_{0}, total_{1};
    std::optional<Authored> result_;
    std::string error_;
    std::string summary_;
    AuthorRequest pending_;  // the worker's request
    AuthorRequest written_;  // the request of the route written last, to drive
};

}  // namespace tovra::author
