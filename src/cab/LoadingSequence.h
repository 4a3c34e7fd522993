#pragma once

#include <filesystem>
#include <new>
#include <stdexcept>

#include "common/DataError.h"
#include "common/UiText.h"

namespace tovra {

class Cab;
struct CabPorts;
struct RunChoice;

inline constexpr const char* kVideoOpenError =
    uiTextMark("LoadingSequence", "映像ファイルを開けません");
inline constexpr const char* kLoadingMemoryError =
    "There is not enough memory to load this train and route.";
inline constexpr const char* kLoadingFailure = "The train and route could not be loaded: ";

// The folder the vehicle file and its pictures and sounds come from.
std::filesystem::path vehicleFolder(const RunChoice& choice);

// The loading sequence after the program settings files: the vehicle and
// route files, pictures and sprites, the video, the sounds and their
// channels, the derived tables and the start state. Throws DataError with
// the message that ends the program; a video that does not open is reported
// through the host and the loading goes on.
void loadRun(Cab& cab, const CabPorts& ports, const RunChoice& choice);

// Runs one loading step; any failure other than a DataError (memory
// exhausted, a file system error) becomes one, so the caller shows a message
// instead of the program ending.
template <typename Step>
void asDataError(Step&& step) {
    try {
        step();
    } catch (const DataError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw DataError(kLoadingMemoryError);
    } catch (const std::exception& error) {
        throw DataError(kLoadingFailure + std::string(error.what()), error.what());
    }
}

}  // namespace tovra
