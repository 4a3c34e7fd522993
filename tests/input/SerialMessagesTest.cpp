#include "cab/SerialInput.h"

#include <string>
#include <vector>

#include "common/TextCodec.h"
#include "input/ControllerFixture.h"
#include "input/ExternalControllerState.h"

namespace tovra {
namespace {

std::vector<std::string> assemble(SerialAssembler& assembler,
                                  const std::vector<std::string>& chunks) {
    std::vector<std::string> messages;
    for (const auto& chunk : chunks)
        assembler.receive(chunk, [&](std::string_view m) { messages.emplace_back(m); });
    return messages;
}

TEST(SerialAssembler, MessagesEndAtEachCarriageReturnWhateverTheChunks) {
    SerialAssembler a;
    EXPECT_TRUE(assemble(a, {"AB"}).empty());
    EXPECT_EQ(a.pending(), 2u);
    EXPECT_EQ(assemble(a, {"CDE\r"}), std::vector<std::string>{"ABCDE\r"});
    EXPECT_EQ(a.pending(), 0u);

    // Two messages and the start of a third in one chunk: none is lost.
    EXPECT_EQ(assemble(a, {"P0001\rP0002\rP0", "003\r"}),
              (std::vector<std::string>{"P0001\r", "P0002\r", "P0003\r"}));
    // CR LF line ends: the line feed does not start the next message.
    EXPECT_EQ(assemble(a, {"B0001\r\n", "B0002\r\n"}),
              (std::vector<std::string>{"B0001\r", "B0002\r"}));
    EXPECT_EQ(assemble(a, {"\r"}), std::vector<std::string>{"\r"});
}

TEST(SerialAssembler, AStreamWithoutCarriageReturnsStaysBounded) {
    SerialAssembler a;
    const std::string flood(10 * SerialAssembler::kMaxMessage, 'x');
    EXPECT_TRUE(assemble(a, {"HEAD!", flood, flood}).empty());
    EXPECT_EQ(a.pending(), SerialAssembler::kMaxMessage);

    // The overflow is dropped, the message's start kept; the next message is whole.
    const auto messages = assemble(a, {"tail\rNEXT1\r"});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].size(), SerialAssembler::kMaxMessage + 1);
    EXPECT_EQ(messages[0].substr(0, 5), "HEAD!");
    EXPECT_EQ(messages[0].back(), '\r');
    EXPECT_EQ(messages[1], "NEXT1\r");
}

struct SerialMessages : test::ControllerFixture {
    SerialMessages() {
        cab.mascon.entries = {"PWR01", "PWR02", "PWR03", "PWR04", "PWR05", "PWR06",
                              "NEUTR", "BRK01", "BRK02", "BRK03", "BRK04", "BRK05",
                              "BRK06", "BRK07", "BRK08", "BRK09", "REV_F", "REV_N",
                              "REV_B", "BTN_A", "BTN_H", "BTN_D", "BTN_1", "EXTRA"};
    }

    void receive(const std::string& chunk) { RxChar(cab, chunk); }
    std::string posted() const { return {run.host.posted.begin(), run.host.posted.end()}; }

    ExternalControllerState& controllers = cab.external;
};

TEST_F(SerialMessages, HandleCodesSetAbsolutePositions) {
    cab.state.BrakeHandle = -3;
    receive("PWR02\r");
    EXPECT_EQ(cab.state.PowerHandle, 2);
    EXPECT_EQ(cab.state.BrakeHandle, 0);
    EXPECT_TRUE(cab.state.PowerDelayState.pending);
    EXPECT_TRUE(cab.state.ElecBrakeDelayState.pending);
    EXPECT_EQ(cab.handleTexts.MasconText, "2");
    receive("PWR06\r");  // the vehicle has four notches
    EXPECT_EQ(cab.state.PowerHandle, 4);

    receive("BRK03\r");
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.state.BrakeHandle, -3);
    EXPECT_EQ(cab.handleTexts.BrakeText, "B3");
    receive("BRK09\r");  // beyond the emergency position
    EXPECT_EQ(cab.state.BrakeHandle, -8);
    EXPECT_EQ(cab.handleTexts.BrakeText, "非常");

    clearPending();
    receive("NEUTR\r");
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.state.BrakeHandle, 0);
    EXPECT_TRUE(cab.state.PowerDelayState.pending);
    EXPECT_TRUE(cab.state.BrakeDelayState.pending);
    EXPECT_EQ(cab.handleTexts.BrakeText, "抜取");

    receive("REV_F\r");
    EXPECT_EQ(cab.state.Reverser, 1);
    receive("REV_B\r");
    EXPECT_EQ(cab.state.Reverser, -1);
    receive("REV_N\r");
    EXPECT_EQ(cab.state.Reverser, 0);
    EXPECT_TRUE(posted().empty());
}

TEST_F(SerialMessages, OnlyTheFirstFiveBytesAreCompared) {
    receive("BRK01 and more\r");
    EXPECT_EQ(cab.state.BrakeHandle, -1);
    EXPECT_EQ(controllers.serialCaption, "BRK01 and more");

    cab.mascon.entries[7] = "LONGER";  // six characters never match
    receive("LONGER\r");
    receive("LONGERX\r");
    EXPECT_EQ(cab.state.BrakeHandle, -1);

    cab.mascon.entries[0] = "PWR";  // shorter: the carriage return is among the five bytes
    receive("PWR\r");
    EXPECT_EQ(cab.state.PowerHandle, 0);
}

TEST_F(SerialMessages, ButtonsPostTheirCharactersAndDuplicatesActTwice) {
    receive("BTN_A\rBTN_H\rBTN_D\rBTN_1\r");
    EXPECT_EQ(posted(), " 371");
    run.host.posted.clear();

    cab.mascon.entries[21] = "BTN_H";  // the door entry now repeats the horn's code
    receive("BTN_H\r");
    EXPECT_EQ(posted(), "37");
    run.host.posted.clear();

    receive("EXTRA\r");  // entries after the buttons mean nothing
    EXPECT_TRUE(posted().empty());
}

TEST_F(SerialMessages, UnknownMessagesOnlyResetVigilanceAndShowInTheCaption) {
    cab.state.PowerHandle = 3;
    cab.state.BrakeHandle = 0;
    cab.protection.vigilanceCount = 620;
    addPatternSprite("img_Lamp_EB", 1);
    cab.sprites.find("img_Lamp_EB")->visible = true;
    clearPending();

    receive("HELLO\r");
    EXPECT_EQ(cab.state.PowerHandle, 3);
    EXPECT_FALSE(cab.state.PowerDelayState.pending);
    EXPECT_FALSE(cab.state.BrakeDelayState.pending);
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
    EXPECT_FALSE(cab.lamps.emergency);
    EXPECT_EQ(controllers.serialCaption, "HELLO");
}

TEST_F(SerialMessages, AMessageInTwoChunksActsOnce) {
    receive("BT");
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(controllers.serialCaption, "");
    receive("N_A\r");
    EXPECT_EQ(posted(), " ");
    // A connection lost in the middle of a message: the next one starts clean.
    receive("BT");
    COMClosed(cab);
    receive("BTN_A\r");
    EXPECT_EQ(posted(), "  ");
}

TEST_F(SerialMessages, CodesAreComparedInTheFilesCodePage) {
    cab.mascon.entries[19] = "マス1";  // five bytes in code page 932
    receive(utf8ToCp932("マス1") + "\r");
    EXPECT_EQ(posted(), " ");
    EXPECT_EQ(controllers.serialCaption, "マス1");
}

}  // namespace
}  // namespace tovra
