#pragma once

#include <string_view>

namespace tovra {

class Cab;

// The serial port's receive event: every message the chunk completes acts,
// in order. The headless driver feeds its script text here as well.
void RxChar(Cab& cab, std::string_view chunk);

// One complete message (raw bytes, carriage return included). Its first five
// bytes are compared with every entry of mascon.dat; each equal entry acts,
// so an entry written twice acts twice.
void SerialMessage(Cab& cab, std::string_view message);

// Shown after the serial port has been opened or closed, by the menu or by
// the port going away; a close also drops a message left unfinished.
void COMOpened(Cab& cab);
void COMClosed(Cab& cab);

}  // namespace tovra
