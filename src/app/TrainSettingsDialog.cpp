#include "app/TrainSettingsDialog.h"

#include <QButtonGroup>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "cab/Cab.h"

namespace tovra {

namespace {

constexpr int kEngineStartWait = 700;  // ms

QButtonGroup* radioGroup(QWidget* parent, QBoxLayout* into, const char* name, const char* title,
                         std::initializer_list<const char*> items) {
    auto* box = new QGroupBox(Tjumpdlg::tr(title), parent);
    box->setObjectName(name);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(Tjumpdlg::tr(item), box);
        column->addWidget(button);
        group->addButton(button, id++);
    }
    into->addWidget(box);
    return group;
}

}  // namespace

Tjumpdlg::Tjumpdlg(Cab& cab, KeyForward forward, QWidget* parent) : QDialog(parent), cab_(cab) {
    setWindowTitle(tr("列車設定"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);
    ats_ = radioGroup(this, groups, "RadioGroup2", "ATS", {QT_TR_NOOP("入"), QT_TR_NOOP("切")});
    engine_ = radioGroup(this, groups, "RadioGroup4", QT_TR_NOOP("機関始動"),
                         {QT_TR_NOOP("始動"), QT_TR_NOOP("運転"), QT_TR_NOOP("切")});
    engine_->button(1)->setChecked(true);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Button1");
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(ats_, &QButtonGroup::idClicked, this, &Tjumpdlg::RadioGroup2Click);
    connect(engine_, &QButtonGroup::idClicked, this, &Tjumpdlg::RadioGroup4Click);
    // The ticks go on while the starter turns.
    wait = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    new KeyForwarder(this, std::move(forward));
}

void Tjumpdlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ats_->button(cab_.protection.AtsOn ? 0 : 1)->setChecked(true);
}

void Tjumpdlg::RadioGroup2Click(int index) {
    ats_->button(index)->setChecked(true);
    if (index == 0) {
        cab_.protection.AtsOn = true;
        cab_.options.ATS = 0;
        Q_EMIT protectionSwitchedOn();
    } else {
        cab_.protection.AtsOn = false;
    }
    cab_.lamps.atsWhite = cab_.protection.AtsOn;
}

void Tjumpdlg::RadioGroup4Click(int index) {
    engine_->button(index)->setChecked(true);
    TrainState& s = cab_.state;
    if (index == 0) {
        if (s.EngineState == 0) cab_.sound.restartOnce(cab_.vehicle.EngineSound2[2]);
        if (wait) wait(kEngineStartWait);
        s.EngineState = 1;
        engine_->button(1)->setChecked(true);
    } else if (index == 2 && s.EngineState == 1) {
        cab_.sound.restartOnce(cab_.vehicle.EngineSound2[3]);
        s.EngineState = 0;
    }
}

int Tjumpdlg::atsIndex() const {
    return ats_->checkedId();
}
int Tjumpdlg::engineIndex() const {
    return engine_->checkedId();
}

}  // namespace tovra
