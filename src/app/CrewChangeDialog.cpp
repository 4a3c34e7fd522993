#include "app/CrewChangeDialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovra {

TkotaiStop::TkotaiStop(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("交代しますか？"));
    auto* layout = new QVBoxLayout(this);
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::StyledPanel);
    auto* text = new QVBoxLayout(bevel);
    auto* label1 = new QLabel(tr("乗務員交代駅です。"), bevel);
    label1->setObjectName("Label1");
    auto* label2 = new QLabel(tr("運転継続をクリックすると続けて運転します。"), bevel);
    label2->setObjectName("Label2");
    text->addWidget(label1);
    text->addWidget(label2);
    layout->addWidget(bevel);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr("運転継続"), this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("運転終了"), this);
    cancel->setObjectName("CancelBtn");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    connect(ok, &QPushButton::clicked, this, &TkotaiStop::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TkotaiStop::CancelBtnClick);
}

void TkotaiStop::OKBtnClick() {
    close();
}

void TkotaiStop::CancelBtnClick() {
    close();
    Q_EMIT endRun();
}

}  // namespace tovra
