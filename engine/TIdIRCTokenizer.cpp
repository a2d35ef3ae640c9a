// Splitting a received line into tokens.
#include "engine/TIdIRCTokenizer.h"

namespace morva {

void tokenizeLine(std::string_view line, TIdIRCTokens& t)
{
    t = TIdIRCTokens{};
    std::string_view w = line;
    if (!w.empty() && w.front() == ':') {
        const std::size_t p = w.find(' ');
        if (p != std::string_view::npos) {
            t.token[0] = w.substr(1, p - 1);
            w = w.substr(p + 1, TIdIRCTokens::kMaxContent);
        }
        const std::string_view prefix = t.token[0];
        const std::size_t bang = prefix.find('!');
        if (bang != std::string_view::npos) {
            t.senderNick = prefix.substr(0, bang);
            t.senderAddress = prefix.substr(bang + 1);
        } else {
            t.senderAddress = prefix;
        }
    }
    const std::size_t b = w.find(' ');
    if (b != std::string_view::npos) {
        t.command = w.substr(0, b);
        w = w.substr(b + 1, TIdIRCTokens::kMaxContent);
    }
    t.token[1] = t.command;
    t.content = w;
    for (int i = 2; i < TIdIRCTokens::kCount && !w.empty(); ++i) {
        if (w.front() == ':') {
            t.token[i] = w.substr(1);
            break;
        }
        const std::size_t s = w.find(' ');
        if (s == std::string_view::npos) {
            t.token[i] = w;
            break;
        }
        t.token[i] = w.substr(0, s);
        w = w.substr(s + 1);
    }
}

} // namespace morva
