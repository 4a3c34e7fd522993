#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CabWindow.h"
#include "app/EasyCab.h"
#include "app/ValueDisplay.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/QtSettingsStore.h"
#include "support/QuickDemo.h"
#include "support/TempDir.h"

namespace tovra::test {

// A cab window on the quick demo line, loaded, with its own settings folder.
class CabWindowFixture : public testing::Test {
  protected:
    void SetUp() override {
        RunChoice choice;
        choice.dataDir = quickDemo();
        choice.routeFile = "line_rapid_down.dat";
        window = std::make_unique<TForm1>(
            choice, store, makeOpenAlSoundDevice(),
            [this](const std::string& t) { progress.push_back(t); },
            AuxiliaryWindows{valueDisplay, easyCab});
        QObject::connect(window.get(), &TForm1::closed, [this] { ++closedCount; });
        ASSERT_TRUE(window->load());
    }

    const KeyForward forward = [this](QKeyEvent* e) { window->cabKey(e); };
    TForm3 valueDisplay{forward};
    TForm6 easyCab{forward};
    TempDir config;
    QtSettingsStore store{config.path()};
    std::vector<std::string> progress;
    std::unique_ptr<TForm1> window;
    int closedCount = 0;
};

}  // namespace tovra::test
