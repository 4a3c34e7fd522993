#include "app/RemoteDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/QrImage.h"
#include "app/RemoteControl.h"

namespace tovra {

namespace {

constexpr int kDefaultPort = 8428;

}  // namespace

RemoteDialog::RemoteDialog(RemoteControl& remote, QWidget* parent)
    : QDialog(parent), remote_(remote) {
    setWindowTitle(QCoreApplication::translate("RemoteDialog", "リモート操作"));
    setObjectName("remoteDialog");
    setMinimumWidth(380);
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);
    address_ = new QComboBox(this);
    address_->setObjectName("remoteAddress");
    address_->setEditable(true);
    address_->addItem("127.0.0.1");
    // This computer's own addresses, for a tablet on the same network.
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            address_->addItem(a.toString());
    address_->setCurrentText(QString::fromStdString(remote.lastAddress().address));
    form->addRow(QCoreApplication::translate("RemoteDialog", "アドレス"), address_);
    port_ = new QSpinBox(this);
    port_->setObjectName("remotePort");
    port_->setRange(0, 65535);
    port_->setValue(remote.lastAddress().port > 0 ? remote.lastAddress().port : kDefaultPort);
    form->addRow(QCoreApplication::translate("RemoteDialog", "ポート"), port_);
    token_ = new QLineEdit(this);
    token_->setObjectName("remoteToken");
    token_->setPlaceholderText(QCoreApplication::translate("RemoteDialog", "空欄: 毎回ランダム"));
    form->addRow(QCoreApplication::translate("RemoteDialog", "トークン"), token_);
    toggle_ = new QPushButton(this);
    toggle_->setObjectName("remoteToggle");
    column->addWidget(toggle_);
    where_ = new QLabel(this);
    where_->setObjectName("remoteWhere");
    where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where_->setWordWrap(true);
    column->addWidget(where_);
    qr_ = new QLabel(this);
    qr_->setObjectName("remoteQr");
    qr_->setAlignment(Qt::AlignCenter);
    column->addWidget(qr_);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setObjectName("remoteNote");
    column->addWidget(note_);
    connect(toggle_, &QPushButton::clicked, this, &RemoteDialog::toggle);
    refresh();
}

void RemoteDialog::toggle() {
    if (remote_.running()) {
        remote_.stop();
    } else {
        remote::ListenAddress where;
        where.address = address_->currentText().trimmed().toStdString();
        where.port = port_->value();
        if (const auto error = remote_.start(where, token_->text().trimmed().toStdString())) {
            refresh();
            note_->setText(QCoreApplication::translate("RemoteDialog", "開始できません: %1")
                               .arg(QString::fromStdString(*error)));
            return;
        }
    }
    refresh();
}

void RemoteDialog::refresh() {
    const bool on = remote_.running();
    toggle_->setText(on ? QCoreApplication::translate("RemoteDialog", "停止")
                        : QCoreApplication::translate("RemoteDialog", "開始"));
    address_->setEnabled(!on);
    port_->setEnabled(!on);
    token_->setEnabled(!on);
    if (!on) {
        where_->setText(QCoreApplication::translate("RemoteDialog", "停止中"));
        qr_->clear();
        note_->setText(QCoreApplication::translate(
            "RemoteDialog",
            "127.0.0.1: このコンピュータからのみ。タブレットから使うにはこのコンピュータの"
            "アドレスを選んでください (その場合すべての要求にトークンが必要です)。"));
        return;
    }
    const auto& server = remote_.server();
    const QString page = QString::fromStdString(server.remotePageUrl());
    where_->setText(
        QCoreApplication::translate("RemoteDialog", "パネル: %1\nリモート: %2\nトークン: %3")
            .arg(QString::fromStdString(server.url()), page,
                 QString::fromStdString(server.token())));
    qr_->setPixmap(QPixmap::fromImage(qrImage(page.toStdString(), 5)));
    note_->setText(
        server.loopback()
            ? QCoreApplication::translate(
                  "RemoteDialog", "ループバック: このコンピュータのブラウザからのみ接続できます。")
            : QCoreApplication::translate(
                  "RemoteDialog",
                  "ネットワーク上の誰でも接続できます: トークンを知る人だけが操作できます。"));
}

}  // namespace tovra
