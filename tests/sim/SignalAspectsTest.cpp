#include <gtest/gtest.h>

#include "sim/ProtectionFixture.h"
#include "sim/ProtectionParts.h"

namespace tovra {
namespace {

using Aspects = std::vector<int>;

struct SignalAspectsTest : test::ProtectionFixture {
    // Eight signals of one type, 1000 frames apart from frame 1000; the
    // preceding train runs between the seventh and the eighth.
    Aspects walkFor(std::int32_t type, std::size_t classes = 6) {
        cab.route.Signals.clear();
        cab.route.SpeedSignal.resize(classes, 100);
        for (int i = 1; i <= 8; ++i) addSignal(type, 1000 * i);
        cab.protection.PreTrainFrame = 7500;
        at(0, 0);
        update_signal_aspects(records);
        return aspects();
    }
};

TEST_F(SignalAspectsTest, FaceTableRowsAndTheirEdges) {
    EXPECT_EQ(signalFace(0, 0, 100), 1);
    EXPECT_EQ(signalFace(4, 3, 100), 15);
    EXPECT_EQ(signalFace(6, 2, 100), 23);
    EXPECT_EQ(signalFace(9, 5, 100), 40);
    // The fastest proceed of types 7 and 8 depends on the train.
    EXPECT_EQ(signalFace(7, 5, 130), 28);
    EXPECT_EQ(signalFace(7, 5, 131), 29);
    EXPECT_EQ(signalFace(8, 5, 131), 34);
    EXPECT_EQ(signalFace(8, 4, 131), 33);
    // Beyond the table: the highest column, or the faces out of view.
    EXPECT_EQ(signalFace(9, 10, 100), 40);
    EXPECT_EQ(signalFace(-1, 3, 100), 12);
    EXPECT_EQ(signalFace(10, 0, 100), 0);
}

TEST_F(SignalAspectsTest, WalkBehindThePrecedingTrainFollowsEachType) {
    // Ahead of the occupied block every signal shows the highest class.
    EXPECT_EQ(walkFor(5), (Aspects{4, 4, 4, 3, 2, 1, 0, 5}));
    EXPECT_EQ(walkFor(6), (Aspects{5, 5, 4, 3, 2, 1, 0, 5}));
    EXPECT_EQ(walkFor(1), (Aspects{2, 2, 2, 2, 2, 2, 0, 5}));
    EXPECT_EQ(walkFor(2), (Aspects{4, 4, 4, 4, 4, 2, 0, 5}));
    EXPECT_EQ(walkFor(3), (Aspects{4, 4, 4, 4, 3, 2, 0, 5}));
    EXPECT_EQ(walkFor(4), (Aspects{4, 4, 4, 4, 2, 1, 0, 5}));
    // The walk ends once the count reaches the highest class: the signal
    // behind the one that jumped to 4 keeps 3.
    EXPECT_EQ(walkFor(2, 4), (Aspects{3, 3, 3, 3, 4, 2, 0, 3}));
}

TEST_F(SignalAspectsTest, NonBlockSignalsCopyAndAreSkippedAsTheOccupiedBlock) {
    for (int i = 1; i <= 8; ++i) addSignal(5, 1000 * i);
    cab.route.Signals[3].signalType = 0;
    cab.route.Signals[5].signalType = -1;
    cab.protection.PreTrainFrame = 6500;  // beyond the type -1 signal
    update_signal_aspects(records);
    // The block is the signal before it; the type 0 signal repeats the one ahead.
    EXPECT_EQ(aspects(), (Aspects{3, 2, 1, 0, 0, 5, 5, 5}));

    cab.protection.PreTrainFrame = 0;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), Aspects(8, 5));
    // Behind the first signal nothing is occupied.
    cab.protection.PreTrainFrame = 1500;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), Aspects(8, 5));
    // Beyond the last signal, the last signal protects it.
    cab.protection.PreTrainFrame = 9000;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), (Aspects{4, 4, 3, 2, 2, 1, 1, 0}));
}

TEST_F(SignalAspectsTest, HeldAspectsOverrideTheBlocks) {
    for (int i = 1; i <= 4; ++i) addSignal(5, 1000 * i);
    auto& sig = cab.route.Signals;
    sig[0].control = 2;
    sig[0].heldAspect = 1;
    sig[1].control = 1;
    sig[1].heldAspect = 0;
    sig[1].holdUntil = 5000;
    sig[2].control = 3;
    sig[2].heldAspect = 2;
    sig[2].holdStation = 4;
    cab.state.Clock = 4999;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), (Aspects{1, 0, 2, 5}));

    cab.state.Clock = 5000;
    cab.stations.progress[4].departureStarted = true;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), (Aspects{1, 5, 5, 5}));

    // While a station video plays every signal shows its held aspect.
    cab.state.VideoMode[0] = 1;
    update_signal_aspects(records);
    EXPECT_EQ(aspects(), (Aspects{1, 0, 2, 0}));
}

TEST_F(SignalAspectsTest, FacesAndTheSignalSprites) {
    addSignal(6, 1000);
    SignalRecord& b = addSignal(6, 2000);
    b.headX = 5;
    b.headY = 6;
    b.sub1X = 20;
    for (const ImageSlot& slot : kSignalImageSlots) addPatternSprite(slot.name, 41);
    cab.route.SignalImages = SignalImageSet{{100, 200}, {}};
    cab.protection.PreTrainFrame = 2500;
    const Sprite* head = cab.sprites.find("img_unten_signal");

    at(500, 0);  // no signal in view yet
    update_signal_aspects(records);
    cab.showPanel();
    EXPECT_FALSE(head->visible);
    EXPECT_EQ(cab.protection.SignalFace, 999);

    at(1800, 0);  // the second signal is in view
    update_signal_aspects(records);
    cab.showPanel();
    EXPECT_EQ(cab.route.Signals[0].face, 12);  // out of view, not at stop
    EXPECT_EQ(cab.route.Signals[1].face, 21);
    EXPECT_EQ(cab.protection.SignalFace, 21);
    EXPECT_TRUE(head->visible);
    EXPECT_EQ(head->patternIndex, 21);
    EXPECT_EQ(head->x, 105);
    EXPECT_EQ(head->y, 206);
    EXPECT_TRUE(cab.sprites.find("img_unten_signal_L")->visible);
    EXPECT_EQ(cab.sprites.find("img_unten_signal_L")->x, 120);
    EXPECT_FALSE(cab.sprites.find("img_unten_signal_S")->visible);

    // The train clears the second block: the face changes with it.
    cab.protection.PreTrainFrame = 0;
    update_signal_aspects(records);
    cab.showPanel();
    EXPECT_EQ(head->patternIndex, 25);

    // Past the signal: sprites hidden, the face out of view, SignalFace kept.
    at(2000, 0);
    update_signal_aspects(records);
    cab.showPanel();
    EXPECT_FALSE(head->visible);
    EXPECT_EQ(cab.route.Signals[1].face, 12);
    EXPECT_EQ(cab.protection.SignalFace, 25);
}

}  // namespace
}  // namespace tovra
