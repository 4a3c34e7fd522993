#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tovra::remote {

// A fresh random token: 24 letters and digits (about 143 bits).
std::string makeToken();
// A token a user may set: 8 to 128 characters that stand in a URL as they
// are (letters, digits, "-", ".", "_", "~").
bool validToken(std::string_view token);
// Compares in a time that does not depend on where the two differ.
bool tokenMatches(std::string_view given, std::string_view token);
// The token of an "Authorization: Bearer TOKEN" header value; none for any
// other form.
std::optional<std::string_view> bearerToken(std::string_view header);

// "[ADDR:]PORT": an IPv4 address, a bracketed IPv6 address, or nothing for
// loopback. The address is checked by the server.
struct ListenAddress {
    std::string address = "127.0.0.1";
    int port = 0;
};
// Throws std::invalid_argument naming the fault.
ListenAddress parseListenAddress(std::string_view text);

// At most `perSecond` commands a second for each client, counted over a
// sliding second (a token bucket of that size that refills evenly).
class RateLimiter {
  public:
    using Clock = std::chrono::steady_clock;
    explicit RateLimiter(int perSecond = 50) : perSecond_(perSecond) {}
    bool allow(const std::string& client, Clock::time_point now);

  private:
    struct Bucket {
        double tokens = 0;
        Clock::time_point last;
    };
    static constexpr std::size_t kMaxClients = 1024;
    int perSecond_;
    std::map<std::string, Bucket> buckets_;
};

}  // namespace tovra::remote
