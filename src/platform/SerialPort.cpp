#include "platform/SerialPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>

namespace tovra {

namespace {

QSerialPort::Parity qtParity(SerialParity parity) {
    switch (parity) {
        case SerialParity::Even:
            return QSerialPort::EvenParity;
        case SerialParity::Odd:
            return QSerialPort::OddParity;
        case SerialParity::Mark:
            return QSerialPort::MarkParity;
        case SerialParity::Space:
            return QSerialPort::SpaceParity;
        case SerialParity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(SerialStopBits bits) {
    switch (bits) {
        case SerialStopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case SerialStopBits::Two:
            return QSerialPort::TwoStop;
        case SerialStopBits::One:
            break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl qtFlowControl(SerialFlowControl flow) {
    switch (flow) {
        case SerialFlowControl::Hardware:
            return QSerialPort::HardwareControl;
        case SerialFlowControl::Software:
            return QSerialPort::SoftwareControl;
        case SerialFlowControl::None:
            break;
    }
    return QSerialPort::NoFlowControl;
}

}  // namespace

SerialPort::SerialPort(ChunkHandler onChunk, LostHandler onLost)
    : port_(std::make_unique<QSerialPort>()),
      onChunk_(std::move(onChunk)),
      onLost_(std::move(onLost)) {
    QObject::connect(port_.get(), &QSerialPort::readyRead, port_.get(), [this] {
        const QByteArray chunk = port_->readAll();
        if (!chunk.isEmpty())
            onChunk_(std::string_view(chunk.constData(), std::size_t(chunk.size())));
    });
    // A USB adapter pulled out: the port is gone, and a later connect starts afresh.
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError error) {
                         if (error != QSerialPort::ResourceError || !port_->isOpen()) return;
                         port_->close();
                         onLost_();
                     });
}

SerialPort::~SerialPort() = default;

std::optional<std::string> SerialPort::open(const SerialSettings& settings) {
    close();
    const std::string name = settings.portName.empty() ? defaultPortName() : settings.portName;
    if (name.empty()) return "No serial port found.";
    port_->setPortName(QString::fromStdString(name));
    port_->setBaudRate(settings.baudRate);
    port_->setDataBits(QSerialPort::DataBits(settings.dataBits));
    port_->setParity(qtParity(settings.parity));
    port_->setStopBits(qtStopBits(settings.stopBits));
    port_->setFlowControl(qtFlowControl(settings.flowControl));
    if (!port_->open(QIODevice::ReadOnly)) {
        const std::string reason = port_->errorString().toStdString();
        port_->clearError();
        return reason;
    }
    // The controller takes no modem lines; ports without them (USB adapters,
    // pseudo-terminals) refuse the request, which does no harm.
    port_->setDataTerminalReady(false);
    if (settings.flowControl != SerialFlowControl::Hardware) port_->setRequestToSend(false);
    port_->clearError();
    return std::nullopt;
}

void SerialPort::close() {
    if (port_->isOpen()) port_->close();
}

bool SerialPort::isOpen() const {
    return port_->isOpen();
}

std::vector<std::string> SerialPort::availablePorts() {
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.push_back(info.portName().toStdString());
    return names;
}

std::string SerialPort::defaultPortName() {
    const auto ports = QSerialPortInfo::availablePorts();
    return ports.isEmpty() ? std::string() : ports.first().portName().toStdString();
}

}  // namespace tovra
