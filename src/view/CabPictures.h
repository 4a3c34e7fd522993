#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/Image.h"
#include "ports/PictureDecoder.h"

namespace tovra {

class SpriteModel;

// A picture file a data file names, and the message the run ends with when
// it cannot be made.
struct PictureFile {
    std::filesystem::path file;
    std::string written;  // the name as the data file writes it
    std::string key;      // the key or section that names it
    std::string error;
};

// How a picture's transparent colour is chosen.
enum class Transparency {
    Opaque,
    BottomLeft,         // the colour of the bitmap's bottom-left pixel
    CollectionDefault,  // transparent, in the collection's own colour (black)
};

inline constexpr std::uint32_t kCollectionTransparentColour = 0xFF000000u;

// The depth of the sign and signal sprites. The pictures of the route's image
// lists (crossing, animation, traffic light) lie above the sprites of this
// depth and below deeper ones.
inline constexpr int kSignDepth = 100;

// A named picture of the cab surface and its sprite.
struct PictureSpec {
    std::string name;
    PictureFile source;
    int x = 0;
    int y = 0;
    int depth = 0;
    Transparency transparency = Transparency::BottomLeft;
    int patternWidth = 0;  // 0: the whole picture
    int patternHeight = 0;
    int width = 0;  // the sprite's size; 0: the pattern's or the picture's
    int height = 0;
    bool rotatable = false;
    bool hidden = false;
};

// The pictures of the cab in the order they are made. The vehicle's
// pictures whose file name is empty are left out; the twelve sign and signal
// lines always make a picture.
// The vehicle's pattern pictures, made as soon as the vehicle file is read.
std::vector<PictureSpec> vehiclePatternPictures(const VehicleSpec& vehicle,
                                                const std::filesystem::path& vehicleDir);
// The route's monitor, sign and signal pictures, made with the route file.
std::vector<PictureSpec> routePictures(const RouteSpec& route, const std::filesystem::path& dataDir,
                                       const ProgramSettings& settings);
// The panel, lamp and gauge pictures, then the hidden free pictures.
std::vector<PictureSpec> vehiclePanelPictures(const VehicleSpec& vehicle,
                                              const std::filesystem::path& vehicleDir);

// Decodes the picture; throws DataError with its message when it cannot.
SharedImage decodePicture(PictureDecoder& decoder, const PictureFile& picture);
// Decodes the picture and adds it with its sprite.
void addPicture(SpriteModel& sprites, PictureDecoder& decoder, const PictureSpec& request);

// The bitmaps of the route's animations, traffic signals and level crossings,
// each list in file order.
struct ImageLists {
    std::vector<Image> anim;
    std::vector<Image> trafficSignal;
    std::vector<Image> cross;
};
// Every image-list file, the three lists one after the other.
std::vector<PictureFile> imageListFiles(const RouteSpec& route,
                                        const std::filesystem::path& dataDir);
ImageLists loadImageLists(const RouteSpec& route, const std::filesystem::path& dataDir,
                          PictureDecoder& decoder);

// The staff overlay laid over the cab window at x = overlayX, top 0, and the
// staff shown in the side display. An empty name gives no picture.
struct StaffPictures {
    std::optional<Image> overlay;
    std::uint32_t overlayTransparentColour = 0;
    int overlayX = 0;
    std::optional<Image> side;
};
std::vector<PictureFile> staffPictureFiles(const RouteSpec& route,
                                           const std::filesystem::path& dataDir);
StaffPictures loadStaffPictures(const RouteSpec& route, const std::filesystem::path& dataDir,
                                const ProgramSettings& settings, PictureDecoder& decoder);

}  // namespace tovra
