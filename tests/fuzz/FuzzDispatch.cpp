// One fuzz input through line splitting and dispatch, with handlers attached.
#include "tests/fuzz/FuzzDispatch.h"

#include "engine/TIdIRC.h"
#include "tests/support/LoopHost.h"
#include "tools/EventPrinter.h"

#include <string>

namespace morva::test {

void fuzzDispatch(const std::uint8_t* data, std::size_t size)
{
    static LoopHost host;
    TIdIRC irc(host);
    irc.SetNick("me");
    irc.AltNick = "alt";
    std::size_t printed = 0;
    probe::attachPrinter(irc, [&](const std::string& l) { printed += l.size(); });
    irc.OnList = [](TIdIRC*, const std::vector<std::string>& chans, int pos, bool) {
        if (pos < 0 || static_cast<std::size_t>(pos) > chans.size())
            __builtin_trap();
    };
    // The first byte picks the state, so that registration-only paths (the nick retry) are reached too.
    irc.TestBeginSession(size > 0 && (data[0] & 1) ? TIdIRCState::Registering : TIdIRCState::Registered);
    if (size > 0 && (data[0] & 2))
        irc.OnNicksInUse = [](TIdIRC*, std::string& n) { n += "_"; };

    // Feed the rest in chunks whose sizes come from the input, as receives would.
    TIdLink link;
    std::size_t pos = size > 0 ? 1 : 0;
    while (pos < size) {
        const std::size_t chunk = 1 + data[pos] % 97;
        const std::size_t take = chunk < size - pos ? chunk : size - pos;
        link.input.append(reinterpret_cast<const char*>(data + pos), take);
        pos += take;
        std::size_t consumed = 0;
        for (;;) {
            std::string_view line;
            const TIdTake r = takeLine(link, "\n", 600, TIdMaxLineAction::maException, consumed, line);
            if (r == TIdTake::TooLong)
                return; // the reader would end here
            if (r != TIdTake::Line)
                break;
            const std::string copy(line);
            irc.InjectLine(copy);
        }
        link.input.erase(0, consumed);
        link.scanned -= consumed;
    }
}

} // namespace morva::test
