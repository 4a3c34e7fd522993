#include "cab/LoadingSequence.h"

#include "cab/Cab.h"
#include "cab/StartState.h"
#include "common/DataPath.h"
#include "common/UiText.h"
#include "common/WaveHeader.h"
#include "data/RouteLoader.h"
#include "data/RouteSetup.h"
#include "data/VehicleLoader.h"
#include "ports/Host.h"
#include "ports/VideoSource.h"
#include "sim/Protection.h"
#include "sound/DeviceFit.h"
#include "view/PictureCache.h"

namespace tovra {

namespace {

void addPictures(SpriteModel& sprites, PictureDecoder& decoder,
                 const std::vector<PictureSpec>& pictures) {
    for (const PictureSpec& picture : pictures) addPicture(sprites, decoder, picture);
}

void loadSounds(const CabPorts& ports, const std::vector<SoundFile>& sounds) {
    for (const SoundFile& sound : sounds) loadSound(ports.sound, sound);
}

void openRouteVideo(Cab& cab, const CabPorts& ports, const RunChoice& choice) {
    const std::string path =
        videoDataPath(choice.dataDir, cab.settings.VideoDir + cab.route.DataName);
    VideoState& video = cab.video;
    video.mainVideoOpen = ports.video.open(resolveDataPath(choice.dataDir, path));
    if (!video.mainVideoOpen) {
        ports.host.showMessage(uiText("LoadingSequence", kVideoOpenError) + path);
        return;
    }
    video.FrameLimit = std::int64_t{ports.video.frameCount()} * cab.settings.FrameLimitFactor;
}

}  // namespace

std::filesystem::path vehicleFolder(const RunChoice& choice) {
    return choice.vehicleDir.empty() ? choice.dataDir : choice.vehicleDir;
}

void loadRun(Cab& cab, const CabPorts& ports, const RunChoice& choice) {
    Host& host = ports.host;
    const std::filesystem::path vehicleDir = vehicleFolder(choice);
    const std::filesystem::path& dataDir = choice.dataDir;
    PictureCache pictures(ports.pictures);

    cab.vehicle = loadVehicleSpec(resolveDataPath(vehicleDir, choice.vehicleFile));
    addPictures(cab.sprites, pictures, vehiclePatternPictures(cab.vehicle, vehicleDir));

    cab.route = loadRouteSpec(resolveDataPath(dataDir, choice.routeFile), choice.vehicleFile);
    addPictures(cab.sprites, pictures, routePictures(cab.route, dataDir, cab.settings));
    cab.imageLists = loadImageLists(cab.route, dataDir, pictures);

    host.setProgressText(uiText("LoadingSequence", "運転台を描画しています"));
    addPictures(cab.sprites, pictures, vehiclePanelPictures(cab.vehicle, vehicleDir));
    cab.staff = loadStaffPictures(cab.route, dataDir, cab.settings, pictures);

    openRouteVideo(cab, ports, choice);
    cab.state.Frame = choice.startStation > 0 ? stationAt(cab.route, choice.startStation).videoFrame
                                              : cab.route.StartFrame;

    host.setProgressText(
        uiText("LoadingSequence", "DirectSoundオブジェクトを作成しています(走行音)"));
    cab.stations.progress.fill({});
    cab.channels = channelLayout(cab.vehicle, cab.route);
    requireFitsDevice(cab.channels);
    loadSounds(ports, runningSounds(cab.vehicle, vehicleDir, cab.channels));

    host.setProgressText(
        uiText("LoadingSequence", "DirectSoundオブジェクトを作成しています(環境音)"));
    for (const SoundFile& sound : routeSounds(cab.route, dataDir, cab.channels)) {
        loadSound(ports.sound, sound);
        if (std::size_t(sound.index) < cab.routeSoundSeconds.size())
            cab.routeSoundSeconds[std::size_t(sound.index)] = waveSeconds(sound.file);
    }
    cab.state.Clock = startClock(cab.route, cab.routeSoundSeconds, choice.startStation);

    host.setProgressText(
        uiText("LoadingSequence", "DirectSoundオブジェクトを作成しています(喚呼)"));
    cab.calloutWaves = loadCalloutWaves(ports.sound, cab.route, dataDir);
    loadSounds(ports, motorAndEngineSounds(cab.vehicle, vehicleDir, cab.channels));
    host.setProgressText(uiText("LoadingSequence", "サウンドを読み込んでいます"));

    for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel) cab.sound.stop(channel);
    host.setProgressText(uiText("LoadingSequence", "環境をセットアップしています"));
    cab.patternPoints = setUpRoute(cab.route);

    setStartState(cab, choice.startStation, choice.crewChangeStation);
    startProtection(cab.protection, cab.route, cab.options.ATS != 1);
    checkBrakeSteps(cab.vehicle);
    placeTrainAtStart(cab);
}

}  // namespace tovra
