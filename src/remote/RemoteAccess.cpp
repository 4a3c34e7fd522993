#include "remote/RemoteAccess.h"

#include <charconv>
#include <random>
#include <stdexcept>

namespace tovra::remote {

namespace {

bool urlSafe(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string makeToken() {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string token;
    for (int i = 0; i < 24; ++i) token += kAlphabet[pick(device)];
    return token;
}

bool validToken(std::string_view token) {
    if (token.size() < 8 || token.size() > 128) return false;
    for (char c : token)
        if (!urlSafe(c)) return false;
    return true;
}

bool tokenMatches(std::string_view given, std::string_view token) {
    unsigned char difference = given.size() == token.size() ? 0 : 1;
    for (std::size_t i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(token[i] ^ (i < given.size() ? given[i] : 0));
    return difference == 0 && !token.empty();
}

std::optional<std::string_view> bearerToken(std::string_view header) {
    constexpr std::string_view kBearer = "Bearer ";
    if (header.size() <= kBearer.size() || header.substr(0, kBearer.size()) != kBearer)
        return std::nullopt;
    return header.substr(kBearer.size());
}

ListenAddress parseListenAddress(std::string_view text) {
    ListenAddress where;
    std::string_view port = text;
    if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        std::string_view address = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (address.size() >= 2 && address.front() == '[' && address.back() == ']')
            address = address.substr(1, address.size() - 2);
        else if (address.find(':') != std::string_view::npos)
            throw std::invalid_argument("an IPv6 address goes in brackets: [ADDR]:PORT");
        if (address.empty()) throw std::invalid_argument("the address before the port is empty");
        where.address = std::string(address);
    }
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), where.port);
    if (port.empty() || error != std::errc() || end != port.data() + port.size() ||
        where.port < 0 || where.port > 65535)
        throw std::invalid_argument("the port must be a number from 0 to 65535, not '" +
                                    std::string(port) + "'");
    return where;
}

bool RateLimiter::allow(const std::string& client, Clock::time_point now) {
    auto it = buckets_.find(client);
    if (it == buckets_.end()) {
        // Clients long quiet have full buckets again: forgetting them changes nothing.
        if (buckets_.size() >= kMaxClients)
            std::erase_if(buckets_, [&](const auto& entry) {
                return now - entry.second.last > std::chrono::seconds(1);
            });
        it = buckets_.emplace(client, Bucket{double(perSecond_), now}).first;
    }
    Bucket& b = it->second;
    const double elapsed = std::chrono::duration<double>(now - b.last).count();
    b.tokens = std::min(double(perSecond_), b.tokens + elapsed * perSecond_);
    b.last = now;
    if (b.tokens < 1) return false;
    b.tokens -= 1;
    return true;
}

}  // namespace tovra::remote
