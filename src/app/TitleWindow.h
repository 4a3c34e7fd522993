#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "cab/Cab.h"
#include "platform/PictureFileDecoder.h"

class QLabel;
class QPushButton;

namespace tovra {

class ClickableLabel;
class OpenAlSoundDevice;
class OpeningMovie;
class SettingsStore;
class TForm1;
class RemoteControl;
class TForm3;
class TForm6;

// The title window: owns the program's life, offers the route and train
// choice and creates a cab window for every run.
class TitleWindow : public QWidget {
    Q_OBJECT
  public:
    enum State { Opening = 0, TitlePicture = 2, Menu = 3 };

    TitleWindow(std::filesystem::path dataDir, SettingsStore& store, unsigned seed,
                QWidget* parent = nullptr);
    ~TitleWindow() override;

    State state() const { return state_; }
    void timerTick();
    void goOn();
    void routeClick(int line);  // 1, 2 or 3
    // Another route file, as if it were the first line of the menu.
    void routeFileClick(const std::string& routeFile);
    // The vehicle file chosen in the file dialog (full path).
    void chooseVehicle(const std::filesystem::path& file, int line);
    bool trainClick();
    void backClick();
    void helpClick();
    void quitClick();

    const RunChoice& choice() const { return choice_; }
    QString statusText() const;
    TForm1* cabWindow() const { return cab_; }
    // The program's remote interface, handed to every cab window.
    RemoteControl* remote = nullptr;
    TForm3& valueDisplay() const { return *valueDisplay_; }
    TForm6& easyCab() const { return *easyCab_; }
    bool menuEntryVisible(int line) const;
    QPushButton* helpButton() const { return help_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* quitButton() const { return quit_; }
    ClickableLabel* trainPicture() const { return train1_; }
    OpeningMovie* movie() const { return movie_; }

    // Shows the help window; set by the program entry.
    std::function<void()> showHelp;
    // Called when a run could not be loaded: the program ends.
    std::function<void()> onLoadFailure;

  Q_SIGNALS:
    void cabShown(TForm1* cab);

  private:
    QImage picture(const std::string& dataPath) const;
    ClickableLabel* pictureLabel(const std::string& dataPath, int x, int y);
    void showPicture(const std::string& dataPath);
    void playSound(const std::string& dataPath);
    void setStatus(const std::string& text);
    void rightClick(int line);
    void cabClosed();

    std::filesystem::path dataDir_;
    SettingsStore& store_;
    std::unique_ptr<OpenAlSoundDevice> sound_;
    mutable PictureFileDecoder decoder_;
    RunChoice choice_;
    std::filesystem::path pendingVehicleDir_;
    std::string pendingVehicleFile_;
    std::string titlePicture_;
    State state_ = Opening;
    int movieTicks_ = 0;
    int menuTicks_ = 0;
    QTimer timer_;

    OpeningMovie* movie_ = nullptr;
    ClickableLabel* picture_ = nullptr;
    ClickableLabel* prompt_ = nullptr;
    std::array<ClickableLabel*, 3> lines_{};
    ClickableLabel* train1_ = nullptr;
    QLabel* cursor_ = nullptr;
    QLabel* loading_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* help_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* quit_ = nullptr;
    std::unique_ptr<TForm3> valueDisplay_;
    std::unique_ptr<TForm6> easyCab_;
    TForm1* cab_ = nullptr;
};

}  // namespace tovra
