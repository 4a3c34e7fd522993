#include "EventLog.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tovra::sim {
namespace {

TEST(EventLog, OneJsonObjectPerLine) {
    std::ostringstream out;
    EventLog log(out);
    log.soundOperation(1.5, 12, "play_loop", 0, "run_010.wav");
    log.soundOperation(2, 3, "volume", -602);
    log.message(3, "映像ファイルを開けません\"a\\b\"\n");
    EXPECT_EQ(
        out.str(),
        "{\"t\":1.5,\"type\":\"sound\",\"channel\":12,\"op\":\"play_loop\",\"file\":\"run_010."
        "wav\"}\n"
        "{\"t\":2,\"type\":\"sound\",\"channel\":3,\"op\":\"volume\",\"value\":-602}\n"
        "{\"t\":3,\"type\":\"message\",\"text\":\"映像ファイルを開けません\\\"a\\\\b\\\"\\n\"}\n");
    EXPECT_EQ(jsonString(std::string("\x01", 1)), "\"\\u0001\"");
}

}  // namespace
}  // namespace tovra::sim
