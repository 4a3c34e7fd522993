#pragma once

#include <vector>

#include "ports/Image.h"

namespace tovra::author::test {

// Ground seen from above, `rows` rows of 160: random ballast and a dark
// sleeper every 9 rows.
std::vector<float> sleeperGround(int rows, unsigned seed);

// A 160 x 120 picture of `ground` shifted down by `offset` rows (between
// rows by interpolation).
Image groundFrame(const std::vector<float>& ground, double offset);

}  // namespace tovra::author::test
