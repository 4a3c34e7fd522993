#pragma once

#include <QFont>

namespace tovra {

// The face of the texts over the video: a Japanese gothic face, bold italic,
// `points` at 96 dpi.
QFont statusFont(int points);
// The same face at a size between whole points: the texts of a scaled cab.
QFont statusFont(double points);

}  // namespace tovra
