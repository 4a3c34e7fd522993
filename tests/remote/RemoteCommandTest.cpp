#include "remote/RemoteCommand.h"

#include <gtest/gtest.h>

#include "remote/RemoteAccess.h"

namespace tovra::remote {
namespace {

const CommandLimits kLimits{8, 8, true};

RemoteCommand ok(const std::string& body, const CommandLimits& limits = kLimits) {
    const ParsedCommand parsed = parseCommand(body, limits);
    EXPECT_TRUE(parsed.command) << body << ": " << parsed.error;
    return parsed.command.value_or(RemoteCommand{});
}

std::string refused(const std::string& body, const CommandLimits& limits = kLimits) {
    const ParsedCommand parsed = parseCommand(body, limits);
    EXPECT_FALSE(parsed.command) << body;
    EXPECT_FALSE(parsed.error.empty()) << body;
    return parsed.error;
}

TEST(RemoteCommand, ReadsEveryKind) {
    RemoteCommand c = ok(R"({"key":"8"})");
    ASSERT_EQ(c.kind, RemoteCommand::Kind::Keys);
    ASSERT_EQ(c.keys.size(), 1u);
    EXPECT_EQ(c.keys[0].character, '8');

    c = ok(R"({"key":" "})");
    EXPECT_EQ(c.keys[0].character, ' ');

    c = ok(R"({"key":"F12","shift":true})");
    EXPECT_EQ(c.keys[0].key, VirtualKey::F12);
    EXPECT_TRUE(c.keys[0].shift);

    c = ok(R"({"keys":"zzz"})");
    EXPECT_EQ(c.keys.size(), 3u);

    c = ok(R"({"handles":{"power":3,"reverser":-1}})");
    ASSERT_EQ(c.kind, RemoteCommand::Kind::Handles);
    EXPECT_EQ(c.handles.power, 3);
    EXPECT_EQ(c.handles.reverser, -1);
    EXPECT_FALSE(c.handles.brake);

    c = ok(R"({"button":"horn","down":false})");
    ASSERT_EQ(c.kind, RemoteCommand::Kind::Button);
    EXPECT_EQ(c.button, Button::Horn);
    EXPECT_FALSE(c.down);
    EXPECT_TRUE(ok(R"({"button":"doors"})").down);
    // Two handles may both be above 0.
    ok(R"({"handles":{"power":2,"brake":3}})", CommandLimits{5, 8, false});
}

TEST(RemoteCommand, RefusesEachFaultNamingIt) {
    EXPECT_EQ(refused(std::string(kMaxBodyBytes + 1, ' ')), "body over 4096 bytes");
    EXPECT_EQ(refused(R"({"key":"8")"), "malformed JSON");
    EXPECT_EQ(refused(""), "malformed JSON");
    EXPECT_EQ(refused("[1]"), "the body must be a JSON object");
    EXPECT_EQ(refused("{}"), "unknown command: the object is empty");
    EXPECT_NE(refused(R"({"jump":1})").find("unknown command \"jump\""), std::string::npos);
    EXPECT_EQ(refused(R"({"key":"8","keys":"zz"})"), "more than one command in one body");
    EXPECT_EQ(refused(R"({"key":8})"), "key must be a string");
    EXPECT_NE(refused(R"({"key":"F13"})").find("key must be one printable character"),
              std::string::npos);
    EXPECT_EQ(refused(R"({"key":"8","shift":true})"), "shift goes only with a named key such as F1");
    EXPECT_EQ(refused(R"({"key":"F1","shift":1})"), "shift must be true or false");
    EXPECT_EQ(refused(R"({"key":"8","extra":1})"), "unknown field \"extra\"");
    EXPECT_EQ(refused(R"({"keys":""})"), "keys is empty");
    EXPECT_EQ(refused(R"({"keys":")" + std::string(65, 'z') + R"("})"),
              "keys holds more than 64 characters");
    EXPECT_EQ(refused(R"({"keys":"z\u0001"})"),
              "keys holds a character that is not printable ASCII");
    EXPECT_EQ(refused(R"({"handles":3})"), "handles must be an object");
    EXPECT_EQ(refused(R"({"handles":{}})"), "handles names no handle (power, brake, reverser)");
    EXPECT_EQ(refused(R"({"handles":{"power":"3"}})"), "handles.power must be a whole number");
    EXPECT_EQ(refused(R"({"handles":{"power":2.5}})"), "handles.power must be a whole number");
    EXPECT_EQ(refused(R"({"handles":{"power":9}})"), "handles.power out of range 0..8");
    EXPECT_EQ(refused(R"({"handles":{"brake":-1}})"), "handles.brake out of range 0..8");
    EXPECT_EQ(refused(R"({"handles":{"reverser":18446744073709551615}})"),
              "handles.reverser out of range -1..1");
    EXPECT_EQ(refused(R"({"handles":{"throttle":1}})"), "unknown field \"throttle\" in handles");
    EXPECT_EQ(refused(R"({"handles":{"power":1,"brake":1}})"),
              "handles: power and brake cannot both be above 0 on a one-lever controller");
    EXPECT_NE(refused(R"({"button":"whistle"})").find("unknown button \"whistle\""),
              std::string::npos);
    EXPECT_EQ(refused(R"({"button":"horn","down":"yes"})"), "down must be true or false");
}

TEST(RemoteAccess, TokensAndListenAddresss) {
    const std::string a = makeToken(), b = makeToken();
    EXPECT_EQ(a.size(), 24u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(validToken(a));
    EXPECT_FALSE(validToken("short"));
    EXPECT_FALSE(validToken("has space in it"));
    EXPECT_TRUE(tokenMatches(a, a));
    EXPECT_FALSE(tokenMatches(a.substr(1), a));
    EXPECT_FALSE(tokenMatches(a + "x", a));
    EXPECT_FALSE(tokenMatches("", ""));
    EXPECT_EQ(bearerToken("Bearer abc"), "abc");
    EXPECT_FALSE(bearerToken("Basic abc"));
    EXPECT_FALSE(bearerToken("Bearer "));

    EXPECT_EQ(parseListenAddress("8080").address, "127.0.0.1");
    EXPECT_EQ(parseListenAddress("8080").port, 8080);
    EXPECT_EQ(parseListenAddress("0.0.0.0:81").address, "0.0.0.0");
    EXPECT_EQ(parseListenAddress("[::1]:82").address, "::1");
    EXPECT_THROW(parseListenAddress("::1:82"), std::invalid_argument);
    EXPECT_THROW(parseListenAddress("70000"), std::invalid_argument);
    EXPECT_THROW(parseListenAddress("x"), std::invalid_argument);
    EXPECT_THROW(parseListenAddress(":80"), std::invalid_argument);
}

TEST(RemoteAccess, FiftyCommandsASecondPerClient) {
    RateLimiter limiter(50);
    const auto t0 = RateLimiter::Clock::now();
    int allowed = 0;
    for (int i = 0; i < 80; ++i) allowed += limiter.allow("a", t0);
    EXPECT_EQ(allowed, 50);
    EXPECT_TRUE(limiter.allow("b", t0));  // another client has its own
    EXPECT_FALSE(limiter.allow("a", t0 + std::chrono::milliseconds(10)));
    EXPECT_TRUE(limiter.allow("a", t0 + std::chrono::milliseconds(25)));
    // A steady 50 a second goes through.
    RateLimiter steady(50);
    int passed = 0;
    for (int i = 0; i < 500; ++i) passed += steady.allow("c", t0 + std::chrono::milliseconds(20 * i));
    EXPECT_EQ(passed, 500);
}

}  // namespace
}  // namespace tovra::remote
