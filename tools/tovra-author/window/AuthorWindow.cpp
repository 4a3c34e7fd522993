#include "AuthorWindow.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <sstream>

#include "DriveCommand.h"
#include "SpeedCurve.h"
#include "StationList.h"
#include "common/TextFields.h"

namespace tovra::author {

namespace {

struct Cancelled {};

QString clock(double seconds) {
    const long tenths = std::lround(seconds * 10);
    return QString("%1:%2:%3.%4")
        .arg(tenths / 36000)
        .arg(tenths / 600 % 60, 2, 10, QChar('0'))
        .arg(tenths / 10 % 60, 2, 10, QChar('0'))
        .arg(tenths % 10);
}

QImage pictureOf(const Image& image) {
    QImage out(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
               image.width * 4, QImage::Format_RGB32);
    return out.copy();
}

}  // namespace

AuthorWindow::AuthorWindow(AuthorRequest request, QWidget* parent)
    : QWidget(parent), request_(std::move(request)) {
    setWindowTitle(QString::fromStdString("tovra-author: " + request_.video.filename().string()));
    picture_ = new QLabel;
    picture_->setMinimumSize(480, 270);
    picture_->setAlignment(Qt::AlignCenter);
    slider_ = new QSlider(Qt::Horizontal);
    where_ = new QLabel;
    curve_ = new SpeedCurve;
    table_ = new QTableWidget(0, 3);
    table_->setHorizontalHeaderLabels({"name", "frame", "km"});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    measureButton_ = new QPushButton("Measure");
    auto* add = new QPushButton("Add at this frame");
    auto* remove = new QPushButton("Remove");
    writeButton_ = new QPushButton("Write route…");
    driveButton_ = new QPushButton("Drive it");
    driveButton_->setEnabled(false);
    cancelButton_ = new QPushButton("Cancel");
    cancelButton_->setEnabled(false);
    progress_ = new QProgressBar;
    message_ = new QLabel;
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* left = new QVBoxLayout;
    left->addWidget(picture_, 1);
    left->addWidget(slider_);
    left->addWidget(where_);
    left->addWidget(curve_);
    auto* right = new QVBoxLayout;
    right->addWidget(table_, 1);
    auto* edit = new QHBoxLayout;
    edit->addWidget(add);
    edit->addWidget(remove);
    right->addLayout(edit);
    auto* run = new QHBoxLayout;
    run->addWidget(measureButton_);
    run->addWidget(writeButton_);
    run->addWidget(driveButton_);
    run->addWidget(cancelButton_);
    right->addLayout(run);
    right->addWidget(progress_);
    right->addWidget(message_);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 2);
    top->addLayout(right, 1);

    connect(slider_, &QSlider::valueChanged, this, [this](int f) { showFrame(f); });
    connect(add, &QPushButton::clicked, this, [this] { addStationHere(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeSelectedStation(); });
    connect(measureButton_, &QPushButton::clicked, this, [this] { measure(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_ = true; });
    connect(writeButton_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(
            this, "Write route", QString::fromStdString(request_.routeFile.string()),
            "Route files (*.dat)");
        // tovra takes a route file by its ending.
        if (!file.isEmpty())
            writeRoute((file.endsWith(".dat") ? file : file + ".dat").toStdString());
    });
    connect(driveButton_, &QPushButton::clicked, this, [this] { drive(); });
    connect(table_, &QTableWidget::cellChanged, this, [this] { refreshCurve(); });
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] {
        progress_->setMaximum(std::max(1, total_.load()));
        progress_->setValue(done_);
    });
    poll->start(100);

    try {
        frames_ = std::make_unique<UprightFrames>(request_.video);
        video_ = frames_->facts();
        slider_->setRange(0, std::max(0, video_.frameCount - 1));
        fillTable(request_.stations);
        showFrame(0);
        if (const std::string note = videoNote(request_.video, video_); !note.empty())
            showMessage(QString::fromStdString(note), false);
    } catch (const std::exception& error) {
        showMessage(QString::fromStdString(error.what()), true);
    }
}

AuthorWindow::~AuthorWindow() {
    if (worker_) {
        cancel_ = true;
        worker_->wait();
    }
}

void AuthorWindow::showFrame(int frame) {
    if (slider_->value() != frame) slider_->setValue(frame);  // comes back here
    Image image;
    if (frames_ && frames_->decode(frame, image) && !image.empty())
        picture_->setPixmap(QPixmap::fromImage(pictureOf(image).scaled(
            picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    QString text = QString("frame %1, video %2").arg(frame).arg(clock(frame / video_.fps));
    if (authored_) {
        if (!std::isnan(authored_->trackStart))
            text +=
                ", track " + clock(std::fmod(authored_->trackStart + frame / video_.fps, 86400));
        const auto& p = authored_->positions;
        if (frame + 1 < int(p.size()))
            text += QString(", %1 m, %2 km/h")
                        .arg(p[frame] / 100, 0, 'f', 1)
                        .arg((p[frame + 1] - p[frame]) * video_.fps * 0.036, 0, 'f', 1);
    }
    where_->setText(text);
    curve_->setCursor(frame);
}

int AuthorWindow::shownFrame() const {
    return slider_->value();
}

void AuthorWindow::fillTable(const std::vector<StationInput>& stations) {
    const QSignalBlocker quiet(table_);
    table_->setRowCount(0);
    for (const StationInput& s : stations) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(s.name)));
        table_->setItem(row, 1, new QTableWidgetItem(QString::number(s.frame)));
        table_->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(formatFixed(s.km, 3))));
    }
    refreshCurve();
}

std::vector<StationInput> AuthorWindow::tableStations() const {
    std::vector<StationInput> out;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto cell = [&](int column) {
            const QTableWidgetItem* item = table_->item(row, column);
            return item ? item->text().trimmed().toStdString() : std::string();
        };
        const std::string km = cell(2);
        out.push_back(parseStation(cell(0) + "," + cell(1) + (km.empty() ? "" : "," + km)));
    }
    return out;
}

void AuthorWindow::addStationHere() {
    std::vector<StationInput> stations;
    try {
        stations = tableStations();
    } catch (const std::invalid_argument& error) {
        showMessage(QString::fromStdString(error.what()), true);
        return;
    }
    const int frame = shownFrame();
    double km = 0;
    if (authored_ && frame < int(authored_->positions.size()) && !stations.empty())
        km = stations.front().km +
             (authored_->positions[frame] - authored_->positions[stations.front().frame]) / 1e5;
    const auto at = std::find_if(stations.begin(), stations.end(),
                                 [&](const StationInput& s) { return s.frame > frame; });
    const std::string name = "駅" + std::to_string(stations.size() + 1);
    stations.insert(at, StationInput{name, frame, km});
    fillTable(stations);
}

void AuthorWindow::removeSelectedStation() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) table_->removeRow(it->row());
    refreshCurve();
}

void AuthorWindow::refreshCurve() {
    std::vector<int> frames;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (const QTableWidgetItem* item = table_->item(row, 1))
            frames.push_back(item->text().toInt());
    curve_->show(authored_ ? authored_->positions : std::vector<double>{}, video_.fps, frames);
}

void AuthorWindow::measure(bool wait) {
    AuthorRequest request = request_;
    request.routeFile.clear();
    start(std::move(request), wait);
}

void AuthorWindow::writeRoute(const std::filesystem::path& routeFile, bool wait) {
    AuthorRequest request = request_;
    request.routeFile = routeFile;
    if (request.dataDir.empty()) request.dataDir = routeFile.parent_path();
    start(std::move(request), wait);
}

void AuthorWindow::start(AuthorRequest request, bool wait) {
    if (worker_) return;
    try {
        request.stations = tableStations();
    } catch (const std::invalid_argument& error) {
        showMessage(QString::fromStdString(error.what()), true);
        return;
    }
    if (request.lineName.empty()) request.lineName = request.video.stem().string();
    if (request.dataDir.empty()) request.dataDir = request.video.parent_path().parent_path();
    cancel_ = false;
    done_ = 0;
    result_.reset();
    error_.clear();
    summary_.clear();
    worker_ = QThread::create([this, request] {
        try {
            Authored authored = authorRoute(request, [this](int done, int total) {
                if (cancel_) throw Cancelled{};
                done_ = done;
                total_ = total;
            });
            if (!request.routeFile.empty()) {
                author::writeRoute(request, authored);
                std::ostringstream check;
                if (!checkRoute(request.routeFile, check)) throw std::runtime_error(check.str());
                summary_ = check.str();
            }
            result_ = std::move(authored);
        } catch (const Cancelled&) {
            error_ = "cancelled";
        } catch (const std::exception& error) {
            error_ = error.what();
        }
    });
    connect(worker_, &QThread::finished, this, [this] { finished(); });
    pending_ = request;
    measureButton_->setEnabled(false);
    writeButton_->setEnabled(false);
    driveButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    showMessage(request.routeFile.empty() ? "measuring…" : "writing…", false);
    worker_->start();
    if (wait) {
        worker_->wait();
        finished();
    }
}

void AuthorWindow::finished() {
    if (!worker_) return;  // already taken when waited for
    worker_->deleteLater();
    worker_ = nullptr;
    measureButton_->setEnabled(true);
    writeButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    driveButton_->setEnabled(canDrive());
    if (!result_) {
        showMessage(QString::fromStdString(error_), true);
        return;
    }
    authored_ = std::move(result_);
    result_.reset();
    if (!summary_.empty()) written_ = std::move(pending_);
    driveButton_->setEnabled(canDrive());
    if (table_->rowCount() == 0) fillTable(authored_->stations);
    refreshCurve();
    showFrame(shownFrame());
    showMessage(summary_.empty() ? QString("measured: %1 stations").arg(authored_->stations.size())
                                 : QString::fromStdString(summary_),
                false);
}

bool AuthorWindow::canDrive() const {
    return !worker_ && !written_.routeFile.empty();
}

void AuthorWindow::drive() {
    if (!canDrive()) return;
    const auto command =
        driveCommand(written_.dataDir, written_.routeFile, QCoreApplication::applicationDirPath());
    if (!command) {
        showMessage("tovra is neither beside tovra-author nor on the PATH", true);
        return;
    }
    if (!QProcess::startDetached(command->program, command->arguments)) {
        showMessage("could not start " + command->program, true);
        return;
    }
    showMessage("started " + command->program + " " + command->arguments.join(' '), false);
}

void AuthorWindow::showMessage(const QString& text, bool error) {
    message_->setStyleSheet(error ? "color: #b00000" : "");
    message_->setText(text);
}

QString AuthorWindow::message() const {
    return message_->text();
}

}  // namespace tovra::author
