// Parsing of received lines and their dispatch into records, automatic replies and events.
#include "engine/TIdIRC.h"

namespace morva {

void TIdIRC::parseLine(std::string_view /*line*/) {}

bool TIdIRC::takeCtcpReplySlot()
{
    return true;
}

} // namespace morva
