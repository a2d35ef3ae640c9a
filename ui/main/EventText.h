// Pieces shared by the main window's handlers of incoming traffic: the interface words, line assembly, the
// separator rules of the protocol handlers and the guard that keeps failures away from the engine.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace morva::events {

// The words the windows show, in Windows-1251, built once.
struct Words
{
    std::string system;       // the system window's name
    std::string topicIs;      // "Тема канала: "
    std::string joined;       // " зашел на "
    std::string parted;       // " покинул "
    std::string quit;         // "вышел из IRC"
    std::string topicSet;     // " изменил тему на "
    std::string nowKnownAs;   // " теперь известен как "
    std::string modeSet;      // " включил режим "
    std::string channelModes; // "Режимы канала "
    std::string kicked;       // " кикнул "
    std::string kickedYou;    // " кикнул вас с канала "
    std::string because;      // "по причине: "
};
const Words& words();

// Line heads: "^C4" before the time stamp, and "^C " after it, the pieces most lines start with.
inline constexpr std::string_view kHead = "\x03"
                                          "4";
inline constexpr std::string_view kPlain = "\x03 ";

// A window name that begins with "#".
inline bool isChannel(std::string_view name)
{
    return !name.empty() && name.front() == '#';
}

// The parts joined in order.
std::string cat(std::initializer_list<std::string_view> parts);

// The part of s before the first c; empty when s holds no c.
std::string_view beforeOrEmpty(std::string_view s, char c);
// The part of s after the first c; all of s when s holds no c.
std::string_view afterOrAll(std::string_view s, char c);

// Runs body; whatever it throws stays here. An exception out of an engine event would end the reader.
template <class Body> void guarded(Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

} // namespace morva::events
