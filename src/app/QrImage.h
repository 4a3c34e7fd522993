#pragma once

#include <QImage>
#include <string>

namespace tovra {

// The QR code of `text` (libqrencode, error correction M), black on white
// with a four-module quiet zone, `scale` pixels a module; null when the
// text does not fit a QR code.
QImage qrImage(const std::string& text, int scale = 6);

}  // namespace tovra
