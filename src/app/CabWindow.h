#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <set>

#include "app/CabHost.h"
#include "app/CabSurface.h"
#include "app/RunReportFile.h"
#include "app/TickDriver.h"
#include "cab/Cab.h"
#include "input/VirtualKey.h"
#include "platform/FfmpegVideoSource.h"
#include "platform/PictureFileDecoder.h"
#include "remote/CommandKeys.h"
#include "view/VideoFrameRate.h"

class QAction;
class QLabel;
class QMenu;

namespace tovra {

class CabPane;
class CabView;
class TForm6;
class SettingsStore;
class SoundDevice;
class TForm3;
class Tjumpdlg;
class TkotaiStop;

class RunMenus;
class RemoteControl;

// The windows that outlive the runs: made once by the program and attached
// to each cab window in turn.
struct AuxiliaryWindows {
    TForm3& valueDisplay;
    TForm6& easyCab;
    RemoteControl* remote = nullptr;  // the program's remote interface, if it has one
};

// The cab window: owns one run, its timers, its drawing and its menus.

class TForm1 : public QMainWindow, public remote::KeyPath {
    Q_OBJECT
  public:
    // `progress` receives the loading texts (the title window's status line).
    TForm1(RunChoice choice, SettingsStore& store, std::unique_ptr<SoundDevice> sound,
           std::function<void(const std::string&)> progress, AuxiliaryWindows windows,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // The loading sequence; false after its message when the run cannot start.
    bool load();

    Cab& cab() { return *cab_; }
    const CabSurface& surface() const { return surface_; }
    const DrawState& drawState() const { return draw_; }
    QMenuBar* menus() const;
    QAction* startAction() const { return start1_; }
    TForm3& valueDisplay() { return *valueDisplay_; }
    TForm6& easyCab() { return *easyCab_; }

    // The three loops, callable directly by tests.
    void physicsTick();
    void logicTick();
    void drawPass();
    // The latest a physics tick ran after it came due, since the last call.
    TickDriver::Clock::duration takePhysicsLateness() { return physics_.takeWorstLateness(); }

    // Keys from this window and from the auxiliary windows.
    void cabKeyDown(QKeyEvent* event);
    void cabKeyUp(QKeyEvent* event);
    void cabKey(QKeyEvent* event);  // either of the two by the event's type

    // The keyboard's path into the cab, for the key events above and for
    // the remote interface's commands alike.
    void characterDown(char c) override;
    void characterUp(char c) override;
    void keyDown(VirtualKey key, bool shift) override;
    void keyUp(VirtualKey key) override;
    // Physics ticks run since the run loaded.
    std::int64_t physicsTicks() const { return physicsTicks_; }

    void start1Click();
    void returnToTitle();
    // Full screen (F11, the Display menu) or back to the window as it was
    // (also Esc).
    void setFullScreen(bool on);

    // Shows the help window (menu "操作説明(&U)").
    std::function<void()> showHelp;
    // Opens a written run report (menu "運転記録…"): the desktop's browser.
    std::function<void(const QUrl&)> openReport;

  Q_SIGNALS:
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void connectHost();
    void buildMenus();
    QAction* addOption(QMenu* menu, const char* caption, std::int32_t UserOptions::*option);
    void showLabels(bool moji);
    // The cab picture and the timetable column at this scale of their
    // default size: the surface, the size the video is decoded to, the
    // column's picture, fonts and spacing; what was shown is drawn again.
    void applyScale(double scale);
    // Draws what was on show again over the whole surface, once after a
    // change of scale.
    void redrawWhole();
    void scaleColumn(double scale);
    // The column's size at scale 1 with what it holds now.
    QSize naturalColumnSize();
    void updateLabels();
    void showStopLines(bool show);
    void showStill();
    void writeOptions();
    void videoClicked();
    void releaseHeldKeys();
    void detachWindows();
    void showRunReport();
    void writeReportOnClose();
    void setTicking(TickDriver& driver, QTimer& timer, bool on);
    // Runs the ticks that have come due and waits for the next.
    void runDue(TickDriver& driver, QTimer& timer, void (TForm1::*tick)());
    // A drawing pass at the next refresh of the display, unless one is
    // already on the way.
    void requestDraw();

    SettingsStore& store_;
    std::unique_ptr<SoundDevice> sound_;
    std::function<void(const std::string&)> progress_;
    CabHost host_;
    FfmpegVideoSource video_;
    PictureFileDecoder pictures_;
    std::unique_ptr<Cab> cab_;
    bool loaded_ = false;
    bool closing_ = false;

    TickDriver physics_;
    TickDriver logic_;
    QTimer physicsTimer_;
    QTimer logicTimer_;
    QTimer drawTimer_;
    QElapsedTimer clock_;
    qint64 lastDrawn_ = -1000;
    std::set<VirtualKey> keysDown_;  // keys without a character, held down

    CabSurface surface_;
    DrawState draw_;
    VideoFrameRate videoRate_;
    Scene drawnScene_;  // what the surface shows now
    // Its video picture, kept while the scene may be drawn again (at a new
    // scale) even if the run has let the picture go meanwhile.
    std::shared_ptr<const Image> drawnPicture_;
    bool redrawWhole_ = false;  // the surface has a new size: all of it is to be drawn
    SharedImage still_;
    CabView* view_ = nullptr;
    CabPane* pane_ = nullptr;
    std::array<QLabel*, StatusTexts::kLabelCount> labels_{};
    QWidget* column_ = nullptr;  // beside the cab: the timetable card, the labels
    QWidget* labelPanel_ = nullptr;
    QLabel* staffDisplay_ = nullptr;  // the timetable card beside the cab
    QImage staffPicture_;             // the card at its own size
    double columnScale_ = 1;
    // The column's spacing and margins at scale 1.
    int columnSpacing_ = 0;
    int labelSpacing_ = 0;
    QMargins labelMargins_;

    QAction* start1_ = nullptr;
    QAction* stopLines_ = nullptr;
    QAction* moji_ = nullptr;
    QAction* fullScreen_ = nullptr;
    std::vector<std::pair<QAction*, std::int32_t UserOptions::*>> optionActions_;

    std::int64_t physicsTicks_ = 0;
    RemoteControl* remote_ = nullptr;
    TForm3* valueDisplay_;  // shared with the runs before and after
    TForm6* easyCab_;
    Tjumpdlg* trainSettings_ = nullptr;
    TkotaiStop* crewChange_ = nullptr;
    RunReportFile report_;
    std::unique_ptr<RunMenus> runMenus_;
};

}  // namespace tovra
