// AppendLine: the one way a line reaches a window's text view.
#pragma once

#include <string_view>

namespace morva {

class TIRCMemo;

// Strips the IRC formatting codes from line (Windows-1251), appends the text as the view's last line, formats
// it as the codes say and shows the view's last line. Nothing is added but the line itself; an empty line adds
// an empty one. A null view is ignored. User-interface thread only.
void AppendLine(TIRCMemo* view, std::string_view line);

} // namespace morva
