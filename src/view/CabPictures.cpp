#include "view/CabPictures.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "common/DataError.h"
#include "common/DataPath.h"
#include "common/Numeric.h"
#include "common/UiText.h"
#include "data/RouteLoader.h"
#include "data/VehicleLoader.h"
#include "ports/PictureDecoder.h"
#include "view/SpriteModel.h"

namespace tovra {

namespace {

constexpr const char* kCreationError = uiTextMark("CabPictures", "%1の生成エラー");
constexpr const char* kNotFound = uiTextMark("CabPictures", "%1が見つかりません");
constexpr int kFirstSubSignalDepth = 101;
// The signs' row on the video area, a little above the middle: one slot a
// sign from the right edge, so that none covers another.
constexpr Extended kSignRowTop = 0.36L;  // of the video height
constexpr int kSignMargin = 8;
constexpr int kSignGap = 4;
constexpr std::array<std::string_view, 5> kSignRow = {"img_unten_other", "img_unten_limit",
                                                      "img_unten_slope", "img_unten_remain",
                                                      "img_unten_teimoku"};
constexpr int kMonitorDepth = 51;
constexpr int kFirstOtherDepth = 20;

// The three stop lines and the remaining-distance display keep the
// collection's own transparent colour; the other signs take their bitmap's.
constexpr std::array<bool, kSignImageSlots.size()> kSignColourFromBitmap = {
    true, false, false, false, true, true, false, true};

PictureFile pictureFile(const std::filesystem::path& folder, const std::string& written,
                        std::string key, std::string error) {
    return {resolveDataPath(folder, written), written, std::move(key), std::move(error)};
}

// Where a panel picture sits: its file and top-left corner.
struct Placement {
    const std::string& file;
    int x;
    int y;
};
Placement placement(const PlacedImage& i) {
    return {i.File, i.X, i.Y};
}
Placement placement(const RoundNeedle& n) {
    return {n.File, n.X, n.Y};
}
Placement placement(const LinearGauge& g) {
    return {g.File, g.X, g.BaseY};
}

// Places the signs of `signs` in their slots of the row.
void placeSignRow(std::span<PictureSpec> signs, const ProgramSettings& settings) {
    int right = settings.VideoWidth - kSignMargin;
    const int top = int(roundHalfEven(settings.VideoHeight * kSignRowTop));
    for (std::string_view name : kSignRow) {
        const auto sign = std::find_if(signs.begin(), signs.end(),
                                       [&](const PictureSpec& s) { return s.name == name; });
        sign->x = right - sign->width;
        sign->y = top;
        right = sign->x - kSignGap;
    }
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Lamps that the ticks light only while what they announce holds: they start
// dark. The white protection lamp starts lit with the protection.
bool litByTheTicks(std::string_view name) {
    return startsWith(name, "img_Lamp_") && name != "img_Lamp_Ats1";
}

}  // namespace

std::vector<PictureSpec> vehiclePatternPictures(const VehicleSpec& v,
                                                const std::filesystem::path& vehicleDir) {
    std::vector<PictureSpec> out;
    const auto add = [&](const char* name, int depth, const char* key, const PatternImage& image) {
        if (image.File.empty()) return;
        PictureSpec request;
        request.name = name;
        request.source = pictureFile(vehicleDir, image.File, key, vehicleFileMessage(key));
        request.x = image.X;
        request.y = image.Y;
        request.depth = depth;
        request.patternWidth = image.PatternWidth;
        request.patternHeight = image.PatternHeight;
        // The cab signal stays dark until a signal or a speed check shows it.
        request.hidden = std::string_view(name) == "img_cabsignal";
        out.push_back(std::move(request));
    };
    // Key order of the vehicle file.
    add("img_cabsignal", 30, "[Lamp_signal]", v.Lamp_signal);
    add("img_lamp_p", 31, "[NotchImageP]", v.NotchImageP);
    add("img_lamp_b", 32, "[NotchImageB]", v.NotchImageB);
    add("img_lamp_p2", 36, "[NotchImageP2]", v.NotchImageP2);
    add("img_lamp_b2", 34, "[NotchImageB2]", v.NotchImageB2);
    add("img_lamp_gear", 35, "[GearImageList]", v.GearImageList);
    add("img_gearlever", 32, "[GearImageList2]", v.GearImageList2);
    add("img_digi_speed", 37, "[Digi_Speed]", v.Digi_Speed);
    return out;
}

std::vector<PictureSpec> routePictures(const RouteSpec& route, const std::filesystem::path& dataDir,
                                       const ProgramSettings& settings) {
    std::vector<PictureSpec> out;
    const MonitorPicture& monitor = route.Monitor;
    if (monitor.present && !monitor.image.empty()) {
        PictureSpec request;
        request.name = "img_mon";
        request.source = pictureFile(dataDir, monitor.image, "[Monitor]",
                                     routeFileMessage(kMonitorErrorLabel, monitor.image));
        request.x = monitor.x;
        request.y = monitor.y;
        request.depth = kMonitorDepth;
        request.patternWidth = monitor.patternWidth;
        request.patternHeight = monitor.patternHeight;
        out.push_back(std::move(request));
    }
    if (route.SignImages) {
        const std::size_t first = out.size();
        for (std::size_t i = 0; i < kSignImageSlots.size(); ++i) {
            const SignImageLine& line = (*route.SignImages)[i];
            const std::string name = kSignImageSlots[i].name;
            PictureSpec request;
            request.name = name;
            request.source = pictureFile(dataDir, line.file, "[SignImageList]",
                                         uiText("DataFiles", kSignImageSlots[i].error));
            request.depth = kSignDepth;
            request.width = request.patternWidth = line.size;
            request.height = request.patternHeight =
                name == "img_unten_remain" ? 2 * line.size : line.size;
            if (!kSignColourFromBitmap[i]) request.transparency = Transparency::CollectionDefault;
            // The stop lines wait at the right edge until the perspective
            // places them; every sign shows only when the ticks or the
            // options say.
            request.x = settings.VideoWidth - request.width;
            request.hidden = true;
            out.push_back(std::move(request));
        }
        placeSignRow(std::span(out).subspan(first), settings);
    }
    if (route.SignalImages) {
        const SignalImageSet& set = *route.SignalImages;
        for (std::size_t i = 0; i < kSignalImageSlots.size(); ++i) {
            const SignalImageLine& line = set.lines[i];
            PictureSpec request;
            request.name = kSignalImageSlots[i].name;
            request.source = pictureFile(dataDir, line.file, "[SignalImageList]",
                                         uiText("DataFiles", kSignalImageSlots[i].error));
            request.depth = i == 1 ? kFirstSubSignalDepth : kSignDepth;
            request.width = request.patternWidth = line.patternWidth;
            request.height = request.patternHeight = line.patternHeight;
            // The signal display's origin, from which the signals place their heads.
            request.x = set.displayValues[0];
            request.y = set.displayValues[1];
            request.hidden = true;  // until a signal comes into view
            out.push_back(std::move(request));
        }
    }
    return out;
}

std::vector<PictureSpec> vehiclePanelPictures(const VehicleSpec& v,
                                              const std::filesystem::path& vehicleDir) {
    std::vector<PictureSpec> out;
    const auto add = [&](const std::string& name, int depth, const char* key, Placement at) {
        if (at.file.empty()) return;
        PictureSpec request;
        request.name = name;
        request.source = pictureFile(vehicleDir, at.file, key,
                                     fillIn(uiText("CabPictures", kCreationError), {at.file}));
        request.x = at.x;
        request.y = at.y;
        request.depth = depth;
        if (name == "img_Panel") request.transparency = Transparency::Opaque;
        request.rotatable = startsWith(name, "img_Needle_") || name == "img_Panel2";
        request.hidden = litByTheTicks(name);
        out.push_back(std::move(request));
    };
    add("img_Panel", 0, "[Panel]", placement(v.Panel));
    add("img_Panel2", 50, "[Panel2]", placement(v.Panel2));
    add("img_Lamp_Door", 49, "[Lamp_Door]", placement(v.Lamp_Door));
    add("img_Lamp_Power", 52, "[Lamp_Power]", placement(v.Lamp_Power));
    add("img_Lamp_EB", 53, "[Lamp_EB]", placement(v.Lamp_EB));
    add("img_Lamp_Gen", 54, "[Lamp_Gen]", placement(v.Lamp_Gen));
    add("img_Lamp_Air", 54, "[Lamp_Air]", placement(v.Lamp_Air));
    add("img_Lamp_fin", 55, "[Lamp_Fin]", placement(v.Lamp_Fin));
    add("img_Lamp_Ele", 26, "[Lamp_Ele]", placement(v.Lamp_Ele));
    add("img_Lamp_Ats1", 57, "[Lamp_Ats1]", placement(v.Lamp_Ats1));
    add("img_Lamp_Ats2", 58, "[Lamp_Ats2]", placement(v.Lamp_Ats2));
    add("img_Lamp_Atsp1", 59, "[Lamp_ATSP1]", placement(v.Lamp_ATSP1));
    add("img_Lamp_Atsp2", 60, "[Lamp_ATSP2]", placement(v.Lamp_ATSP2));
    add("img_Lamp_Fwd", 11, "[Lamp_Fwd]", placement(v.Lamp_Fwd));
    add("img_Lamp_Bck", 12, "[Lamp_Back]", placement(v.Lamp_Back));
    add("img_Lamp_stopalert", 63, "[Lamp_Stop]", placement(v.Lamp_Stop));
    add("img_Needle_speed", 64, "[Needle_Speed]", placement(v.Needle_Speed));
    add("img_Needle_ER", 66, "[Needle_ER]", placement(v.Needle_ER));
    add("img_Needle_BP", 68, "[Needle_BP]", placement(v.Needle_BP));
    add("img_Needle_MR", 65, "[Needle_MR]", placement(v.Needle_MR));
    add("img_Needle_SAP", 69, "[Needle_SAP]", placement(v.Needle_SAP));
    add("img_Needle_BC", 67, "[Needle_BC]", placement(v.Needle_BC));
    add("img_Needle_V", 70, "[Needle_V]", placement(v.Needle_V));
    add("img_Needle_I", 71, "[Needle_I]", placement(v.Needle_I));
    add("img_Lamp_const", 72, "[Lamp_Const]", placement(v.Lamp_Const));
    add("img_Needle_BC_L", 23, "[Needle_BC_L]", placement(v.Needle_BC_L));
    add("img_Needle_MR_L", 24, "[Needle_MR_L]", placement(v.Needle_MR_L));
    // A free picture keeps its entry's number even when earlier entries are empty.
    for (std::size_t k = 0; k < v.Others.size(); ++k) {
        const std::size_t first = out.size();
        add("img_other" + std::to_string(k), kFirstOtherDepth + int(k), "[Others]",
            placement(v.Others[k]));
        if (out.size() > first) out.back().hidden = true;
    }
    return out;
}

SharedImage decodePicture(PictureDecoder& decoder, const PictureFile& picture) {
    SharedImage image = decoder.decode(picture.file);
    if (!image || image->empty()) {
        throw DataError(picture.error,
                        picture.key + " " + picture.file.string() + ": missing or not a picture");
    }
    return image;
}

void addPicture(SpriteModel& sprites, PictureDecoder& decoder, const PictureSpec& request) {
    SharedImage image = decodePicture(decoder, request.source);
    Picture picture;
    picture.name = request.name;
    switch (request.transparency) {
        case Transparency::Opaque:
            break;
        case Transparency::BottomLeft:
            picture.transparentColour = bottomLeftColour(*image);
            break;
        case Transparency::CollectionDefault:
            picture.transparentColour = kCollectionTransparentColour;
            break;
    }
    picture.image = std::move(image);
    picture.patternWidth = request.patternWidth;
    picture.patternHeight = request.patternHeight;
    Sprite& sprite =
        sprites.add(std::move(picture), request.x, request.y, request.depth, request.rotatable);
    if (request.width > 0) sprite.width = request.width;
    if (request.height > 0) sprite.height = request.height;
    sprite.visible = !request.hidden;
}

namespace {

void appendListFiles(std::vector<PictureFile>& out, const std::vector<std::string>& names,
                     const std::filesystem::path& dataDir, const char* key) {
    for (const std::string& name : names)
        out.push_back(pictureFile(dataDir, name, key, routeFileMessage(key, name)));
}

std::vector<Image> loadList(const std::vector<std::string>& names,
                            const std::filesystem::path& dataDir, const char* key,
                            PictureDecoder& decoder) {
    std::vector<PictureFile> files;
    appendListFiles(files, names, dataDir, key);
    std::vector<Image> images;
    for (const PictureFile& file : files) images.push_back(*decodePicture(decoder, file));
    return images;
}

std::optional<PictureFile> staffFile(const std::string& name,
                                     const std::filesystem::path& dataDir) {
    if (name.empty()) return std::nullopt;
    return pictureFile(dataDir, name, "[Staf]", fillIn(uiText("CabPictures", kNotFound), {name}));
}

}  // namespace

std::vector<PictureFile> imageListFiles(const RouteSpec& route,
                                        const std::filesystem::path& dataDir) {
    std::vector<PictureFile> files;
    appendListFiles(files, route.AnimImages, dataDir, "[AnimImageList]");
    appendListFiles(files, route.TrafficSignalImages, dataDir, "[TrafficSignalImageList]");
    appendListFiles(files, route.CrossImages, dataDir, "[CrossImageList]");
    return files;
}

ImageLists loadImageLists(const RouteSpec& route, const std::filesystem::path& dataDir,
                          PictureDecoder& decoder) {
    ImageLists lists;
    lists.anim = loadList(route.AnimImages, dataDir, "[AnimImageList]", decoder);
    lists.trafficSignal =
        loadList(route.TrafficSignalImages, dataDir, "[TrafficSignalImageList]", decoder);
    lists.cross = loadList(route.CrossImages, dataDir, "[CrossImageList]", decoder);
    return lists;
}

std::vector<PictureFile> staffPictureFiles(const RouteSpec& route,
                                           const std::filesystem::path& dataDir) {
    std::vector<PictureFile> files;
    for (const std::string* name : {&route.StaffOverlayImage, &route.StaffImage}) {
        if (auto file = staffFile(*name, dataDir)) files.push_back(std::move(*file));
    }
    return files;
}

StaffPictures loadStaffPictures(const RouteSpec& route, const std::filesystem::path& dataDir,
                                const ProgramSettings& settings, PictureDecoder& decoder) {
    StaffPictures staff;
    staff.overlayX = settings.StaffOverlayX;
    if (auto file = staffFile(route.StaffOverlayImage, dataDir)) {
        staff.overlay = *decodePicture(decoder, *file);
        staff.overlayTransparentColour = bottomLeftColour(*staff.overlay);
    }
    if (auto file = staffFile(route.StaffImage, dataDir))
        staff.side = *decodePicture(decoder, *file);
    return staff;
}

}  // namespace tovra
