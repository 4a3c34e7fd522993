#include "app/TitleWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <random>

#include "app/CabWindow.h"
#include "app/ClickableLabel.h"
#include "app/EasyCab.h"
#include "app/MessageBox.h"
#include "app/OpeningMovie.h"
#include "app/QtImages.h"
#include "app/ValueDisplay.h"
#include "common/DataPath.h"
#include "platform/OpenAlSoundDevice.h"
#include "ports/SoundDevice.h"

namespace tovra {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kStatusHeight = 18;
constexpr int kTickMs = 100;
constexpr int kMovieTicks = 1600;
// The title's own sounds play on channel 0.
constexpr int kMovieChannel = 1;
constexpr std::array<const char*, 3> kRouteFiles = {"line_rapid_down.dat", "line_rapid_utl.dat",
                                                    "line_rapid_up.dat"};
constexpr std::array<QPoint, 3> kLinePlaces = {QPoint(70, 150), QPoint(70, 220), QPoint(70, 281)};
constexpr const char* kMenuPicture = "image\\title\\title2.jpg";
constexpr const char* kDefaultVehicle = "train_E231.dat";

// The built-in artwork: a caption on a dark plate.
void plate(QLabel* label, const QString& text) {
    label->setText(text);
    label->setStyleSheet(
        "color: white; background-color: rgba(0, 0, 0, 150); padding: 2px 6px; font-weight: bold;");
    label->adjustSize();
}

}  // namespace

TitleWindow::TitleWindow(std::filesystem::path dataDir, SettingsStore& store, unsigned seed,
                         QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), dataDir_(std::move(dataDir)), store_(store) {
    setWindowTitle(applicationTitle());
    // Made once, so that what they show lasts from one run to the next.
    const auto forward = [this](QKeyEvent* event) {
        if (cab_) cab_->cabKey(event);
    };
    valueDisplay_ = std::make_unique<TForm3>(forward);
    easyCab_ = std::make_unique<TForm6>(forward);
    try {
        sound_ = makeOpenAlSoundDevice();
    } catch (const std::exception&) {
        // The title plays without its sounds.
    }
    choice_.dataDir = dataDir_;
    picture_ = new ClickableLabel(this);
    picture_->setGeometry(0, 0, kWidth, kHeight);
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(picture_, &ClickableLabel::clicked, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) goOn();
    });
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i] = pictureLabel("image\\title\\line0" + std::to_string(i + 1) + ".bmp",
                                 kLinePlaces[i].x(), kLinePlaces[i].y());
        lines_[i]->setObjectName(QString("line%1").arg(i + 1));
        const int line = int(i) + 1;
        connect(lines_[i], &ClickableLabel::clicked, this, [this, line](Qt::MouseButton b) {
            if (b == Qt::LeftButton) routeClick(line);
            if (b == Qt::RightButton) rightClick(line);
        });
    }
    train1_ = pictureLabel("image\\title\\train1.bmp", 570, 500);
    train1_->setObjectName("train1");
    connect(train1_, &ClickableLabel::clicked, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) trainClick();
        if (b == Qt::RightButton)
            rightClick(choice_.routeFile == kRouteFiles[1]   ? 2
                       : choice_.routeFile == kRouteFiles[2] ? 3
                                                             : 1);
    });
    prompt_ = new ClickableLabel(this);
    plate(prompt_, tr("クリックしてください"));
    prompt_->move(320, 540);
    connect(prompt_, &ClickableLabel::clicked, this, [this](Qt::MouseButton) { goOn(); });
    cursor_ = new QLabel(this);
    plate(cursor_, "▶");
    loading_ = new QLabel(this);
    plate(loading_, tr("読み込み中…"));
    loading_->move(340, 290);
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setGeometry(0, kHeight, kWidth, kStatusHeight);
    help_ = new QPushButton("HELP", this);
    help_->setObjectName("HELP");
    help_->setGeometry(683, 571, 52, 24);
    back_ = new QPushButton(tr("戻る"), this);
    back_->setObjectName("back");
    back_->setGeometry(739, 571, 52, 24);
    quit_ = new QPushButton(tr("終了"), this);
    quit_->setObjectName("quit");
    quit_->setGeometry(11, 571, 52, 24);
    connect(help_, &QPushButton::clicked, this, &TitleWindow::helpClick);
    connect(back_, &QPushButton::clicked, this, &TitleWindow::backClick);
    connect(quit_, &QPushButton::clicked, this, &TitleWindow::quitClick);

    // Opening: a small window until the title picture appears.
    resize(640, 360);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move((s.width() - 1000) / 2, (s.height() - 666) / 2);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{lines_[0], lines_[1], lines_[2], train1_, help_, back_,
                                         quit_, prompt_, cursor_, loading_, status_, picture_})
        w->hide();
    movie_ = new OpeningMovie(this);
    movie_->setGeometry(0, 0, 640, 360);
    connect(movie_, &ClickableLabel::clicked, this, [this](Qt::MouseButton) { goOn(); });
    const std::filesystem::path opening = resolveDataPath(dataDir_, "move\\opening.avi");
    if (std::filesystem::exists(opening) && !movie_->play(opening, sound_.get(), kMovieChannel))
        showMessageBox(this, tr("オープニングムービーを開けません"));
    std::mt19937 random(seed);
    titlePicture_ = "image\\title\\title0" +
                    std::to_string(1 + std::uniform_int_distribution<int>(0, 3)(random)) + ".jpg";
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &TitleWindow::timerTick);
    timer_.start();
}

TitleWindow::~TitleWindow() {
    delete cab_;
}

QImage TitleWindow::picture(const std::string& dataPath) const {
    const auto image = decoder_.decode(resolveDataPath(dataDir_, dataPath));
    return image ? toQImage(*image) : QImage();
}

ClickableLabel* TitleWindow::pictureLabel(const std::string& dataPath, int x, int y) {
    auto* label = new ClickableLabel(this);
    const QImage image = picture(dataPath);
    if (image.isNull()) {
        plate(label, QString::fromStdString(dataPath));
    } else {
        label->setPixmap(QPixmap::fromImage(image));
        label->adjustSize();
    }
    label->move(x, y);
    return label;
}

void TitleWindow::showPicture(const std::string& dataPath) {
    const QImage image = picture(dataPath);
    picture_->setPixmap(QPixmap::fromImage(image));
    if (!image.isNull()) picture_->resize(image.size());
    picture_->show();
    picture_->lower();
}

void TitleWindow::playSound(const std::string& dataPath) {
    if (!sound_) return;
    if (sound_->load(0, resolveDataPath(dataDir_, dataPath))) sound_->playOnce(0);
}

void TitleWindow::setStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
    status_->repaint();
}

QString TitleWindow::statusText() const {
    return status_->text();
}

bool TitleWindow::menuEntryVisible(int line) const {
    return lines_[std::size_t(line - 1)]->isVisibleTo(this);
}

void TitleWindow::timerTick() {
    if (state_ == Opening) {
        ++movieTicks_;
        if (!movie_->opened()) {
            playSound("sound\\25829.wav");
            goOn();
        } else if (movieTicks_ >= kMovieTicks) {
            goOn();
        }
        return;
    }
    if (state_ != Menu) return;
    ++menuTicks_;
    quit_->hide();
    if (menuTicks_ > 2) lines_[0]->show();
    if (menuTicks_ > 3) lines_[1]->show();
    if (menuTicks_ > 4) lines_[2]->show();
    if (menuTicks_ > 10) help_->show();
    if (menuTicks_ > 11) {
        back_->show();
        timer_.stop();
    }
}

void TitleWindow::goOn() {
    if (state_ == Opening) {
        movie_->stop();
        movie_->hide();
        setFixedSize(kWidth, kHeight);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->geometry();
            move((s.width() - kWidth) / 2, (s.height() - kHeight) / 2);
        }
        showPicture(titlePicture_);
        prompt_->show();
        prompt_->raise();
        state_ = TitlePicture;
    } else if (state_ == TitlePicture) {
        state_ = Menu;
        menuTicks_ = 0;
        timer_.start();
        showPicture(kMenuPicture);
        quit_->hide();
        prompt_->hide();
    }
}

void TitleWindow::routeClick(int line) {
    choice_.startStation = 0;
    choice_.crewChangeStation = 999;
    const ClickableLabel* picture = lines_[std::size_t(line - 1)];
    cursor_->move(picture->x() - 32, picture->y() + 7);
    cursor_->show();
    train1_->show();
    choice_.routeFile = kRouteFiles[std::size_t(line - 1)];
}

void TitleWindow::routeFileClick(const std::string& routeFile) {
    routeClick(1);
    choice_.routeFile = routeFile;
}

void TitleWindow::rightClick(int line) {
    const QString file = QFileDialog::getOpenFileName(
        this, tr("この路線を任意の列車で運転することができます"),
        QString::fromStdString(dataDir_.string()), tr("列車データファイル (*.dat)"));
    if (file.isEmpty()) return;
    chooseVehicle(file.toStdString(), line);
}

void TitleWindow::chooseVehicle(const std::filesystem::path& file, int line) {
    pendingVehicleDir_ = file.parent_path();
    pendingVehicleFile_ = file.filename().string().substr(0, 256);
    routeClick(line);
}

bool TitleWindow::trainClick() {
    if (choice_.routeFile.empty()) return false;
    if (!pendingVehicleFile_.empty()) {
        choice_.vehicleFile = pendingVehicleFile_;
        choice_.vehicleDir = pendingVehicleDir_;
    } else {
        choice_.vehicleFile = kDefaultVehicle;
        choice_.vehicleDir.clear();
    }
    pendingVehicleFile_.clear();
    pendingVehicleDir_.clear();
    playSound("sound\\start.wav");
    setFixedSize(kWidth, kHeight + kStatusHeight);
    status_->show();
    loading_->hide();
    setStatus(tr("Formを作成しています").toStdString());

    std::unique_ptr<SoundDevice> cabSound;
    try {
        cabSound = makeOpenAlSoundDevice();
    } catch (const std::exception&) {
        setStatus(tr("DirectSoundを初期化できませんでした。").toStdString());
        cabClosed();
        return false;
    }
    delete cab_;
    cab_ = new TForm1(
        choice_, store_, std::move(cabSound), [this](const std::string& text) { setStatus(text); },
        AuxiliaryWindows{*valueDisplay_, *easyCab_, remote});
    cab_->showHelp = showHelp;
    if (!cab_->load()) {
        delete cab_;
        cab_ = nullptr;
        cabClosed();
        if (onLoadFailure) onLoadFailure();
        return false;
    }
    // At once: with the cab window gone and the title hidden the program would end.
    connect(cab_, &TForm1::closed, this, &TitleWindow::cabClosed);
    hide();
    cab_->move(0, 0);
    cab_->show();
    cab_->activateWindow();
    Q_EMIT cabShown(cab_);
    return true;
}

void TitleWindow::cabClosed() {
    if (cab_) {
        cab_->hide();
        cab_->deleteLater();
        cab_ = nullptr;
    }
    loading_->hide();
    status_->hide();
    setFixedSize(kWidth, kHeight);
    show();
}

void TitleWindow::backClick() {
    state_ = TitlePicture;
    showPicture(titlePicture_);
    for (QWidget* w : std::initializer_list<QWidget*>{lines_[0], lines_[1], lines_[2], train1_,
                                                      help_, cursor_, back_})
        w->hide();
    prompt_->show();
    prompt_->raise();
    quit_->show();
}

void TitleWindow::helpClick() {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString((dataDir_ / "readme.html").string())));
}

void TitleWindow::quitClick() {
    delete cab_;
    cab_ = nullptr;
    // The help and auxiliary windows would keep the program alive.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

}  // namespace tovra
