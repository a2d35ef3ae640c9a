// The pieces of one incoming line that the main window's handlers of the raw traffic work on.
#pragma once

#include "ui/main/TForm1.h"

#include <string>

namespace morva {

// The sender's nick and address (empty for a server) and the content after the command word. The references
// point into the engine's event arguments and live only while the handler runs.
struct TForm1::RawLine
{
    const std::string& nick;
    const std::string& address;
    const std::string& content;
};

} // namespace morva
