// The program settings files: one input read as each of them.
#include "FuzzFile.h"
#include "common/DataError.h"
#include "data/ControllerFiles.h"
#include "data/ProgramSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = tovra::fuzz::inputFile("velmoran.dat", data, size);
    try {
        tovra::loadProgramSettings(file);
    } catch (const tovra::DataError&) {
    }
    try {
        tovra::loadMasconTable(file);
    } catch (const tovra::DataError&) {
    }
    tovra::loadHelpText(file);  // the help text takes any file
    return 0;
}
