#pragma once

#include <QFont>

namespace tovra {

// The face of the texts over the video: a Japanese gothic face (in English a
// Latin face first, the gothic for what it lacks), bold italic, `points` at
// 96 dpi.
QFont statusFont(int points);
// The same face at a size between whole points: the texts of a scaled cab.
QFont statusFont(double points);
// The face at `points`, or smaller when the text would not end within `room`
// pixels of `device`: a long text is shrunk whole rather than cut.
QFont fittedStatusFont(const QString& text, double points, double room, const QPaintDevice* device);

}  // namespace tovra
