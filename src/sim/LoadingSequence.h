#pragma once

#include <filesystem>

namespace tovra {

class Cab;
struct CabPorts;
struct RunChoice;

inline constexpr const char* kVideoOpenError = "映像ファイルを開けません";

// The folder the vehicle file and its pictures and sounds come from.
std::filesystem::path vehicleFolder(const RunChoice& choice);

// The loading sequence after the program settings files: the vehicle and
// route files, pictures and sprites, the video, the sounds and their
// channels, the derived tables and the start state. Throws DataError with
// the message that ends the program; a video that does not open is reported
// through the host and the loading goes on.
void loadRun(Cab& cab, const CabPorts& ports, const RunChoice& choice);

}  // namespace tovra
