// Prints every engine event as one line of text: the event's name, then its arguments, TAB-separated.
#pragma once

#include "engine/TIdIRC.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace morva::probe {

struct PrinterOptions
{
    std::set<std::string> suppressRaw; // OnRaw sets Suppress for lines of these commands
    bool suppressCtcp = false;         // OnCTCPQuery sets ASuppress
};

// Bytes below 0x20, 0x7F and the backslash as \xHH; everything else as it is.
std::string escape(std::string_view s);
std::string userText(const TIdIRCUser* u);
std::string channelText(const TIdIRCChannel* c);
std::string userModeLetters(TIdIRCUserModes m);

// Attaches a handler to every event of the engine; each raised event calls out with its line (no line end).
void attachPrinter(TIdIRC& irc, std::function<void(const std::string&)> out, PrinterOptions options = {});

// The record dumps of the probe: "/Channel", "/Users" and "/State".
std::string channelDump(TIdIRC& irc, std::string_view name);
std::string usersDump(TIdIRC& irc);
std::string stateDump(TIdIRC& irc);

} // namespace morva::probe
