// The vehicle loader.
#include "FuzzFile.h"
#include "common/DataError.h"
#include "data/VehicleLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tovra::loadVehicleSpec(tovra::fuzz::inputFile("train.dat", data, size));
    } catch (const tovra::DataError&) {
    }
    return 0;
}
