#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "CabWindowFixture.h"
#include "ShownMessages.h"

namespace tovra {
namespace {

// The cab window's Move, Controller and Save menus on the quick demo line.
class AppRunMenus : public test::CabWindowFixture {
  protected:
    void SetUp() override {
        CabWindowFixture::SetUp();
        test::shownMessages().clear();
    }
    QMenu* topMenu(const char* name) const {
        for (QAction* a : window->menus()->actions())
            if (a->menu() && a->menu()->objectName() == name) return a->menu();
        return nullptr;
    }
    static QAction* named(QMenu* menu, const QString& name) {
        for (QAction* a : menu->actions())
            if (a->objectName() == name) return a;
        return nullptr;
    }
};

TEST_F(AppRunMenus, MoveOffersTheStopsAndPutsTheTrainThere) {
    QMenu* move = topMenu("GoTo1");
    ASSERT_NE(move, nullptr);
    const Cab& cab = window->cab();
    // Every station of the demo line stops, and the last one is never offered.
    EXPECT_EQ(move->actions().size(), qsizetype(cab.route.Stations.size() - 1));
    QAction* sta4 = named(move, "Sta4");
    ASSERT_NE(sta4, nullptr);
    EXPECT_EQ(sta4->text().toStdString(), cab.route.Stations[4].name);
    sta4->trigger();
    EXPECT_EQ(cab.state.Position, cab.route.Stations[4].stopPosition);
    EXPECT_EQ(cab.state.Speed, 0);
}

TEST_F(AppRunMenus, SaveThenRestoreThroughTheMenu) {
    QMenu* save = topMenu("SaveS1");
    ASSERT_NE(save, nullptr);
    QMenu* saveTo = save->actions()[0]->menu();
    QMenu* restore = save->actions()[1]->menu();
    EXPECT_EQ(saveTo->actions()[1]->text(), "No Data");
    EXPECT_FALSE(restore->actions()[1]->isEnabled());

    named(topMenu("GoTo1"), "Sta2")->trigger();
    const Extended saved = window->cab().state.Position;
    saveTo->actions()[1]->trigger();
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_EQ(test::shownMessages()[0], "運転状態を保存しました");

    Q_EMIT save->aboutToShow();  // opening the menu reads the titles again
    EXPECT_NE(restore->actions()[1]->text(), "No Data");
    EXPECT_TRUE(restore->actions()[1]->isEnabled());

    named(topMenu("GoTo1"), "Sta4")->trigger();
    restore->actions()[1]->trigger();
    EXPECT_EQ(window->cab().state.Position, saved);
}

TEST_F(AppRunMenus, ControllerTypesAndASerialPortThatWillNotOpen) {
    QMenu* controller = topMenu("Controller1");
    ASSERT_NE(controller, nullptr);
    ASSERT_NE(named(controller, "COM31"), nullptr);
    named(controller, "COM31")->trigger();
    EXPECT_EQ(window->cab().external.controllerType, PadType::PsAdapter);
    EXPECT_TRUE(named(controller, "COM31")->isChecked());
    EXPECT_FALSE(named(controller, "COM11")->isChecked());

    for (QAction* a : controller->actions()) {
        if (a->text() == "VMマスコン（接続）(&C)") a->trigger();
    }
    // No serial port on the test machine, or one that cannot be opened here:
    // one message, and the controller stays disconnected.
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].startsWith("VMマスコン") ||
                test::shownMessages()[0] == "Connect to controller.");
}

}  // namespace
}  // namespace tovra
