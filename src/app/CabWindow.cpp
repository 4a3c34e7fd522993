#include "app/CabWindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <chrono>
#include <utility>

#include "app/CabPane.h"
#include "app/CabView.h"
#include "app/CrewChangeDialog.h"
#include "app/EasyCab.h"
#include "app/KeyInput.h"
#include "app/LanguageChoice.h"
#include "app/MessageBox.h"
#include "app/QtImages.h"
#include "app/RemoteControl.h"
#include "app/RemoteDialog.h"
#include "app/RunMenus.h"
#include "app/TrainSettingsDialog.h"
#include "app/ValueDisplay.h"
#include "cab/KeyInput.h"
#include "common/DataError.h"
#include "common/DataPath.h"
#include "ports/PictureDecoder.h"
#include "ports/SettingsStore.h"
#include "ports/SoundDevice.h"
#include "view/PanelGauges.h"
#include "view/PanelMath.h"
#include "view/VideoSync.h"

namespace tovra {

namespace {

constexpr std::chrono::milliseconds kPhysicsPeriod{33};
constexpr std::chrono::milliseconds kLogicPeriod{100};
// Owed ticks run at once up to these; a longer stall slips the run's time.
constexpr int kPhysicsCatchUp = 6;
constexpr int kLogicCatchUp = 2;
constexpr qint64 kDefaultRefreshMs = 16;
constexpr const char* kAppTitle = QT_TRANSLATE_NOOP("tovra::TForm1", "ヴェルモラン");
// Labels that neither text mode shows once the mode has been switched.
constexpr std::array<std::size_t, 2> kAlwaysHiddenLabels = {13, 14};
constexpr std::array<const char*, 3> kStopLines = {"img_unten_teimokuS", "img_unten_teimokuM",
                                                   "img_unten_teimokuE"};
constexpr int kLabelWidth = 180;  // the labels' least width at scale 1

int scaled(int units, double scale) {
    return int(std::lround(units * scale));
}

void waitForNextTick(const TickDriver& driver, QTimer& timer) {
    const auto wait =
        std::chrono::ceil<std::chrono::milliseconds>(driver.nextDue() - TickDriver::Clock::now());
    timer.start(int(std::max<std::int64_t>(wait.count(), 0)));
}

QString caption(const std::string& text, const char* fallback) {
    return QString::fromStdString(text.empty() ? std::string(fallback) : text);
}

}  // namespace

TForm1::TForm1(RunChoice choice, SettingsStore& store, std::unique_ptr<SoundDevice> sound,
               std::function<void(const std::string&)> progress, AuxiliaryWindows windows,
               QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      sound_(std::move(sound)),
      progress_(std::move(progress)),
      physics_(kPhysicsPeriod, kPhysicsCatchUp),
      logic_(kLogicPeriod, kLogicCatchUp),
      remote_(windows.remote),
      valueDisplay_(&windows.valueDisplay),
      easyCab_(&windows.easyCab) {
    setWindowTitle(tr(kAppTitle));
    cab_ = std::make_unique<Cab>(
        CabPorts{host_, *sound_, video_, pictures_, store_}, std::move(choice),
        unsigned(std::chrono::system_clock::now().time_since_epoch().count()));
    for (QTimer* timer : {&physicsTimer_, &logicTimer_, &drawTimer_}) {
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(true);
    }
    connect(&physicsTimer_, &QTimer::timeout, this,
            [this] { runDue(physics_, physicsTimer_, &TForm1::physicsTick); });
    connect(&logicTimer_, &QTimer::timeout, this,
            [this] { runDue(logic_, logicTimer_, &TForm1::logicTick); });
    connect(&drawTimer_, &QTimer::timeout, this, &TForm1::drawPass);
    video_.onFrameReady = [this] {
        QMetaObject::invokeMethod(
            this, [this] { requestDraw(); }, Qt::QueuedConnection);
    };
    connectHost();

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    view_ = new CabView(surface_, central);
    column_ = new QWidget(central);
    auto* sideColumn = new QVBoxLayout(column_);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    staffDisplay_ = new QLabel(column_);
    staffDisplay_->setObjectName("staffDisplay");
    sideColumn->addWidget(staffDisplay_);
    labelPanel_ = new QWidget(column_);
    sideColumn->addWidget(labelPanel_);
    sideColumn->addStretch();
    auto* labelColumn = new QVBoxLayout(labelPanel_);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(labelPanel_);
        labels_[i]->setObjectName(QString("Label%1").arg(i));
        labels_[i]->setMinimumWidth(kLabelWidth);
        labelColumn->addWidget(labels_[i]);
    }
    columnSpacing_ = sideColumn->spacing();
    labelSpacing_ = labelColumn->spacing();
    labelMargins_ = labelColumn->contentsMargins();
    // The picture and the column scale together with the window.
    pane_ = new CabPane(view_, column_, central);
    grid->addWidget(pane_, 0, 0);
    connect(pane_, &CabPane::scaleChanged, this, &TForm1::applyScale);
    auto* back = new QToolButton(central);
    back->setObjectName("backImage");
    back->setText(tr("◀ 戻る"));
    back->setAutoRaise(true);
    back->setFocusPolicy(Qt::NoFocus);  // space and Enter belong to the cab
    grid->addWidget(back, 1, 0, Qt::AlignRight);
    setCentralWidget(central);
    connect(back, &QToolButton::clicked, this, &TForm1::returnToTitle);
    connect(view_, &CabView::clicked, this, &TForm1::videoClicked);
    connect(view_, &CabView::pixelRatioChanged, pane_, &CabPane::placeAgain);
    connect(view_, &CabView::wheelTowardsUser, this, [this] { WheelD(*cab_); });
    connect(view_, &CabView::wheelAwayFromUser, this, [this] { WheelU(*cab_); });
    setFocusPolicy(Qt::StrongFocus);

    const auto forward = [this](QKeyEvent* e) { cabKey(e); };
    valueDisplay_->attach(cab_.get());
    easyCab_->attach(cab_.get());
    trainSettings_ = new Tjumpdlg(*cab_, forward, this);
    crewChange_ = new TkotaiStop(this);
    connect(crewChange_, &TkotaiStop::endRun, this, &TForm1::returnToTitle);
    connect(trainSettings_, &Tjumpdlg::protectionSwitchedOn, this,
            [this] { stopLines_->setChecked(false); });
}

TForm1::~TForm1() {
    if (remote_) remote_->detach(*this);
    physicsTimer_.stop();
    logicTimer_.stop();
    drawTimer_.stop();
    if (!closing_) detachWindows();
}

void TForm1::detachWindows() {
    valueDisplay_->hide();
    valueDisplay_->attach(nullptr);
    easyCab_->hide();
    easyCab_->attach(nullptr);
}

void TForm1::setTicking(TickDriver& driver, QTimer& timer, bool on) {
    if (!on) {
        driver.stop();
        timer.stop();
        return;
    }
    driver.start(TickDriver::Clock::now());
    waitForNextTick(driver, timer);
}

void TForm1::runDue(TickDriver& driver, QTimer& timer, void (TForm1::*tick)()) {
    const int ran = driver.run(TickDriver::Clock::now(), [&] { (this->*tick)(); });
    // The physics tick moves what is drawn; the logic tick's changes wait for
    // the next physics tick unless that is stopped.
    if (ran > 0 && (&driver == &physics_ || !physics_.running())) requestDraw();
    if (driver.running()) waitForNextTick(driver, timer);
}

void TForm1::requestDraw() {
    if (!loaded_ || closing_ || !clock_.isValid() || drawTimer_.isActive()) return;
    const QScreen* shown = screen();
    const qint64 refreshMs = shown && shown->refreshRate() > 1
                                 ? qRound64(1000 / shown->refreshRate())
                                 : kDefaultRefreshMs;
    drawTimer_.start(int(std::max<qint64>(0, refreshMs - (clock_.elapsed() - lastDrawn_))));
}

void TForm1::connectHost() {
    host_.onMessage = [this](const std::string& text) {
        showMessageBox(isVisible() ? this : nullptr, QString::fromStdString(text));
    };
    host_.onProgress = [this](const std::string& text) {
        if (progress_) progress_(text);
    };
    host_.onCaption = [this](const std::string& text) {
        setWindowTitle(QString::fromStdString(text));
    };
    host_.onPhysicsTimer = [this](bool on) { setTicking(physics_, physicsTimer_, on); };
    host_.onLogicTimer = [this](bool on) { setTicking(logic_, logicTimer_, on); };
    host_.onPostCharacter = [this](char c) {
        QMetaObject::invokeMethod(
            this, [this, c] { AsciiDown(*cab_, c); }, Qt::QueuedConnection);
    };
    host_.onToggleValueDisplay = [this] {
        valueDisplay_->setVisible(!valueDisplay_->isVisible());
        if (valueDisplay_->isVisible())
            valueDisplay_->refresh(videoRate_.perSecond(clock_.elapsed()));
    };
    // The surface's top stays between -200 and 0.
    host_.onMoveCabSurface = [this](int pixels) {
        const int top = view_->top();
        if ((pixels < 0 && top >= -149) || (pixels > 0 && top < 0)) view_->setTop(top + pixels);
    };
}

QMenuBar* TForm1::menus() const {
    return menuBar();
}

bool TForm1::load() {
    try {
        cab_->load();
    } catch (const std::exception& error) {  // the core's DataError, or memory exhausted here
        setTicking(physics_, physicsTimer_, false);
        setTicking(logic_, logicTimer_, false);
        showMessageBox(nullptr, QString::fromUtf8(error.what()));
        return false;
    }
    loaded_ = true;
    buildMenus();
    showStopLines(!stopLines_->isChecked());
    showLabels(cab_->options.Moji != 0);
    if (cab_->staff.side) staffPicture_ = toQImage(*cab_->staff.side);
    scaleColumn(columnScale_);
    staffDisplay_->setVisible(cab_->staff.side.has_value());
    pane_->setSideSize(naturalColumnSize());
    pane_->setVideoWidth(cab_->settings.VideoWidth);
    // The whole surface at its own size when the screen has room for it.
    QSize size = sizeHint();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
    clock_.start();
    applyScale(pane_->scale());
    if (remote_) remote_->attach(*this);
    return true;
}

QAction* TForm1::addOption(QMenu* menu, const char* text, std::int32_t UserOptions::*option) {
    QAction* action = menu->addAction(tr(text));
    action->setCheckable(true);
    action->setChecked(cab_->options.*option != 0);
    optionActions_.emplace_back(action, option);
    connect(action, &QAction::toggled, this,
            [this, option](bool on) { cab_->options.*option = on ? 1 : 0; });
    return action;
}

void TForm1::buildMenus() {
    const ProgramSettings& s = cab_->settings;
    QMenuBar* bar = menuBar();
    start1_ = bar->addAction(caption(s.StartCaption, "Start"));
    start1_->setObjectName("start1");
    connect(start1_, &QAction::triggered, this, &TForm1::start1Click);

    runMenus_ = std::make_unique<RunMenus>(*cab_, store_, this, *this);
    runMenus_->setPauseAction(start1_);
    runMenus_->buildMove(bar, caption(s.MoveCaption, "Move"));

    QMenu* show = bar->addMenu(caption(s.DisplayCaption, "Display"));
    show->setObjectName("Show1");
    connect(show->addAction(tr("操作説明(&U)")), &QAction::triggered, this, [this] {
        if (showHelp) showHelp();
    });
    addOption(show, QT_TR_NOOP("解説なし(&D)"), &UserOptions::Information);
    connect(show->addAction(tr("かんたん運転台(&E)")), &QAction::triggered, this,
            [this] { easyCab_->show(); });
    addOption(show, QT_TR_NOOP("喚呼なし(&K)"), &UserOptions::Kanko);
    stopLines_ = show->addAction(tr("停止位置ラインを表示しない(&S)"));
    stopLines_->setCheckable(true);
    stopLines_->setChecked(cab_->options.ATS == 1);
    connect(stopLines_, &QAction::triggered, this, [this](bool on) { showStopLines(!on); });
    QAction* settings = show->addAction(tr("列車設定(&P)"));
    settings->setVisible(false);
    connect(settings, &QAction::triggered, this, [this] { trainSettings_->exec(); });
    addOption(show, QT_TR_NOOP("視覚効果OFF(&V)"), &UserOptions::Tunnel)->setVisible(false);
    moji_ = addOption(show, QT_TR_NOOP("文字表示モード切り替え(&C)"), &UserOptions::Moji);
    connect(moji_, &QAction::triggered, this, [this](bool on) {
        // The window grows or shrinks by the label column; the cab picture
        // keeps its size.
        const QSize before = cabPaneNaturalSize(pane_->sideSize());
        showLabels(on);
        for (std::size_t i : kAlwaysHiddenLabels) labels_[i]->setVisible(false);
        pane_->setSideSize(naturalColumnSize());
        const QSize grown = cabPaneNaturalSize(pane_->sideSize()) - before;
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            resize(size() + QSize(scaled(grown.width(), pane_->scale()),
                                  scaled(grown.height(), pane_->scale())));
    });
    fullScreen_ = show->addAction(tr("全画面表示(&F)"));
    fullScreen_->setObjectName("fullScreen");
    fullScreen_->setCheckable(true);
    // F11 alone; Shift+F11 stays the testing key that slows the train.
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreen_, &QAction::triggered, this, &TForm1::setFullScreen);
    connect(show->addAction(tr("運転記録…")), &QAction::triggered, this, &TForm1::showRunReport);
    addLanguageMenu(show, store_, this);

    QMenu* controller =
        runMenus_->buildController(bar, caption(s.ControlCaption, "Controller(&C)"));
    controller->addSeparator();
    QAction* remote = controller->addAction(tr("リモート操作(&R)…"));
    remote->setObjectName("remote1");
    remote->setEnabled(remote_ != nullptr);
    connect(remote, &QAction::triggered, this, [this] {
        RemoteDialog dialog(*remote_, this);
        dialog.exec();
    });
    runMenus_->buildSave(bar, caption(s.SaveCaption, "Save(&S)"));
    start1_->setText(QString::fromStdString(cab_->startCaption()));
}

void TForm1::showLabels(bool moji) {
    labelPanel_->setVisible(moji);
    for (QLabel* label : labels_) label->setVisible(moji);
}

void TForm1::setFullScreen(bool on) {
    if (on != isFullScreen()) setWindowState(windowState() ^ Qt::WindowFullScreen);
    if (fullScreen_) fullScreen_->setChecked(isFullScreen());
}

void TForm1::scaleColumn(double scale) {
    columnScale_ = scale;
    const bool own = scale == 1;
    if (!staffPicture_.isNull()) {
        // Scaled once from the card's own pixels to the screen's.
        const double pixels = scale * devicePixelRatioF();
        QImage card = pixels == 1
                          ? staffPicture_
                          : staffPicture_.scaled(scaled(staffPicture_.width(), pixels),
                                                 scaled(staffPicture_.height(), pixels),
                                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        card.setDevicePixelRatio(devicePixelRatioF());
        staffDisplay_->setPixmap(QPixmap::fromImage(card));
    }
    // The labels' font scaled from the one they inherit; at scale 1 that one.
    QFont font;
    if (!own) {
        font = column_->font();
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    labelPanel_->setFont(font);
    for (QLabel* label : labels_) label->setMinimumWidth(scaled(kLabelWidth, scale));
    column_->layout()->setSpacing(scaled(columnSpacing_, scale));
    labelPanel_->layout()->setSpacing(scaled(labelSpacing_, scale));
    labelPanel_->layout()->setContentsMargins(
        scaled(labelMargins_.left(), scale), scaled(labelMargins_.top(), scale),
        scaled(labelMargins_.right(), scale), scaled(labelMargins_.bottom(), scale));
}

QSize TForm1::naturalColumnSize() {
    const double scale = columnScale_;
    scaleColumn(1);
    column_->layout()->invalidate();
    const QSize size = column_->sizeHint();
    scaleColumn(scale);
    return size;
}

void TForm1::applyScale(double scale) {
    // In the screen's own pixels, so that a high-density screen gets them too.
    const double ratio = devicePixelRatioF();
    surface_.setScale(scale * ratio, ratio);
    scaleColumn(scale);
    if (!loaded_) return;
    // The decoder scales each picture to the size it is shown at.
    const QSize video =
        surface_.shown(QRect(0, 0, cab_->settings.VideoWidth, cab_->settings.VideoHeight)).size();
    video_.setPictureSize(video.width(), video.height());
    refetch_video_picture(cab_->video);
    // What was on show, at the new size, until the next pass brings the
    // pictures of that size: drawn in an event of its own, so that a tick
    // that has come due meanwhile runs first, and once for several resizes.
    if (!redrawWhole_) QTimer::singleShot(0, this, &TForm1::redrawWhole);
    redrawWhole_ = true;
    requestDraw();
}

void TForm1::redrawWhole() {
    if (!redrawWhole_ || closing_) return;
    redrawWhole_ = false;
    surface_.draw(drawnScene_, cab_->sprites, draw_, surface_.everywhere());
    view_->update();
}

void TForm1::updateLabels() {
    if (cab_->options.Moji == 0) return;
    for (std::size_t i = 0; i < labels_.size(); ++i)
        labels_[i]->setText(QString::fromStdString(cab_->statusTexts.labels[i]));
}

void TForm1::showStopLines(bool show) {
    // Only the route's perspective places them on the track.
    const bool placed = cab_->route.PerspectiveDistance != 0;
    for (const char* name : kStopLines)
        if (Sprite* s = cab_->sprites.find(name)) s->visible = show && placed;
}

void TForm1::physicsTick() {
    cab_->MMTimer1Timer();
    ++physicsTicks_;
    if (remote_) remote_->publish();
}

void TForm1::logicTick() {
    Cab& cab = *cab_;
    cab.Timer1Timer();
    runMenus_->afterLogicTick();
    updateLabels();
    easyCab_->refresh();
    valueDisplay_->logicTick(videoRate_.perSecond(clock_.elapsed()));
    if (cab.stations.crewChangeOffered) {
        cab.stations.crewChangeOffered = false;
        crewChange_->show();
        crewChange_->raise();
    }
    // The stream goes on from the logic tick while the physics timer stands.
    if (remote_ && !physics_.running()) remote_->publish();
    if (cab.stations.returnToTitle) {
        cab.stations.returnToTitle = false;
        returnToTitle();
    }
}

void TForm1::drawPass() {
    if (!loaded_ || closing_ || isMinimized()) return;
    Cab& cab = *cab_;
    if (!cab.running()) return;
    // Before the first logic tick no lamp or signal has its state yet.
    if (cab.state.LogicTickCount == 0) return;
    const qint64 now = clock_.elapsed();
    if (!drawDue(now - lastDrawn_)) {
        requestDraw();
        return;
    }
    if (cab.state.VideoMode[0] < 1 && inEndOfVideoWindow(cab.state, cab.route)) return;
    fetch_video_frame(cab.video, cab.videoSource, cab.state);
    Scene scene = surface_.scene(cab, draw_);
    // A train standing still with nothing changing costs no drawing.
    if (scene == drawnScene_ && !scene.closesWindow && !redrawWhole_) return;
    const QRegion changed =
        redrawWhole_ ? surface_.everywhere() : surface_.changes(drawnScene_, scene);
    redrawWhole_ = false;
    if (scene.pictureVersion != drawnScene_.pictureVersion) videoRate_.shown(now);
    surface_.draw(scene, cab.sprites, draw_, changed);
    drawnScene_ = std::move(scene);
    drawnPicture_ = cab.video.picture;
    view_->showChanged(surface_.shown(changed));
    ++draw_.framesDrawn;
    lastDrawn_ = now;
    if (drawnScene_.closesWindow)
        close();
    else if (draw_.fadeLevel > 0)
        requestDraw();
}

void TForm1::start1Click() {
    cab_->start1Click();
    start1_->setText(QString::fromStdString(cab_->startCaption()));
    if (remote_) remote_->publish();
}

void TForm1::videoClicked() {
    if (!cab_->running()) start1Click();
}

void TForm1::returnToTitle() {
    draw_.fadeLevel = 1;
    // A paused run draws nothing, so its fade could never end.
    if (!cab_->running()) close();
}

void TForm1::showStill() {
    const std::string& name = cab_->route.OpeningImage;
    if (name.empty()) return;
    if (!still_) still_ = pictures_.decode(resolveDataPath(cab_->dataDir(), name));
    if (!still_) return;
    Scene scene = surface_.scene(*cab_, draw_, still_.get());
    surface_.draw(scene, cab_->sprites, draw_, surface_.everywhere());
    // The next pass draws the video again, over the whole surface: a scene
    // with a still differs from every scene with the video.
    drawnScene_ = std::move(scene);
    drawnPicture_.reset();  // the still lives as long as the window
    view_->update();
    if (drawnScene_.closesWindow) close();
}

void TForm1::releaseHeldKeys() {
    host_.held.clear();
    const std::set<VirtualKey> down = std::exchange(keysDown_, {});
    if (loaded_)
        for (VirtualKey key : down) keyups(*cab_, key);
}

void TForm1::showRunReport() {
    try {
        const auto file = report_.write(cab_->routeFile(), cab_->vehicleFile(), cab_->route,
                                        cab_->runRecord.record());
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
        if (openReport)
            openReport(url);
        else
            QDesktopServices::openUrl(url);
    } catch (const std::runtime_error& error) {
        showMessageBox(this, QString::fromUtf8(error.what()));
    }
}

// A run worth looking back on leaves its report behind.
void TForm1::writeReportOnClose() {
    const RunRecord& record = cab_->runRecord.record();
    if (record.totals.drivenDistance < RunReportFile::kReportOnCloseCm) return;
    try {
        report_.write(cab_->routeFile(), cab_->vehicleFile(), cab_->route, record);
    } catch (const std::runtime_error& error) {
        qWarning("%s", error.what());
    }
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A key released in another window never reaches the cab.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) releaseHeldKeys();
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && loaded_ &&
        !cab_->running() && !closing_)
        showStill();
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) requestDraw();
    if (event->type() == QEvent::WindowStateChange && fullScreen_)
        fullScreen_->setChecked(isFullScreen());
}

void TForm1::cabKeyDown(QKeyEvent* event) {
    if (!loaded_) return;
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        setFullScreen(false);
        return;
    }
    const CabKey key = cabKeyOf(*event);
    if (event->key() == Qt::Key_Shift) host_.held.insert(HeldKey::Shift);
    if (key.character) {
        characterDown(*key.character);
        return;
    }
    if (key.key) keyDown(*key.key, key.shiftAlone);
}

void TForm1::cabKeyUp(QKeyEvent* event) {
    if (event->isAutoRepeat() || !loaded_) return;
    if (event->key() == Qt::Key_Shift) host_.held.erase(HeldKey::Shift);
    if (event->key() == Qt::Key_3) characterUp('3');
    if (event->key() == Qt::Key_4) characterUp('4');
    const CabKey key = cabKeyOf(*event);
    if (key.key) keyUp(*key.key);
}

void TForm1::characterDown(char c) {
    if (!loaded_) return;
    if (c == '3') host_.held.insert(HeldKey::Horn3);
    if (c == '4') host_.held.insert(HeldKey::Horn4);
    AsciiDown(*cab_, c);
}

void TForm1::characterUp(char c) {
    if (c == '3') host_.held.erase(HeldKey::Horn3);
    if (c == '4') host_.held.erase(HeldKey::Horn4);
}

void TForm1::keyDown(VirtualKey key, bool shift) {
    if (!loaded_) return;
    keysDown_.insert(key);
    keydowns(*cab_, key, shift);
}

void TForm1::keyUp(VirtualKey key) {
    if (!loaded_) return;
    keysDown_.erase(key);
    keyups(*cab_, key);
}

void TForm1::cabKey(QKeyEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        cabKeyUp(event);
    } else {
        cabKeyDown(event);
    }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    cabKeyDown(event);
}
void TForm1::keyReleaseEvent(QKeyEvent* event) {
    cabKeyUp(event);
}

void TForm1::writeOptions() {
    const UserOptions& o = cab_->options;
    for (const auto& [key, value] : {std::pair{"Kanko", o.Kanko},
                                     {"Information", o.Information},
                                     {"ATS", o.ATS},
                                     {"Tunnel", o.Tunnel},
                                     {"Moji", o.Moji}})
        store_.writeInteger(kUserOptionsGroup, key, value);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        drawTimer_.stop();
        setTicking(physics_, physicsTimer_, false);
        setTicking(logic_, logicTimer_, false);
        TrainState& s = cab_->state;
        s.RemainDistance = 0;
        s.ProtectEmergency = false;
        s.ProtectService = false;
        s.PowerNotch = 0;
        detachWindows();
        crewChange_->close();
        if (runMenus_) runMenus_->close();
        video_.close();
        for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel)
            sound_->stop(channel);
        if (remote_) remote_->detach(*this);
        if (loaded_) writeOptions();
        if (loaded_) writeReportOnClose();
        draw_.fadeLevel = 0;
        Q_EMIT closed();
    }
    event->accept();
}

}  // namespace tovra
