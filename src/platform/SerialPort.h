#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QSerialPort;

namespace tovra {

enum class SerialParity { None, Even, Odd, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };
enum class SerialFlowControl { None, Hardware, Software };

// What the settings dialog edits; the defaults are the master controller's.
struct SerialSettings {
    std::string portName;  // a name from availablePorts() or a device path; empty: the first port
    std::int32_t baudRate = 9600;
    std::int32_t dataBits = 8;
    SerialParity parity = SerialParity::None;
    SerialStopBits stopBits = SerialStopBits::One;
    SerialFlowControl flowControl = SerialFlowControl::None;
};

// The serial master controller's port. Received bytes go, as they arrive and
// in order, to the chunk handler; the cab's RxChar makes messages of them.
// When the port goes away by itself (a USB adapter pulled out) it closes and
// the lost handler runs. Needs the Qt event loop of the thread that created it.
class SerialPort {
  public:
    using ChunkHandler = std::function<void(std::string_view chunk)>;
    using LostHandler = std::function<void()>;

    SerialPort(ChunkHandler onChunk, LostHandler onLost);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Closes a port that is open first. Returns the system's reason when the
    // port cannot be opened, nothing when it is open.
    std::optional<std::string> open(const SerialSettings& settings);
    void close();
    bool isOpen() const;

    // The machine's serial ports, as the settings dialog lists them.
    static std::vector<std::string> availablePorts();
    // The first port found; empty on a machine without one.
    static std::string defaultPortName();

  private:
    std::unique_ptr<QSerialPort> port_;
    ChunkHandler onChunk_;
    LostHandler onLost_;
};

}  // namespace tovra
