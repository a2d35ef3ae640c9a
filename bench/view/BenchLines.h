// Typical chat lines for the view benchmarks and the demo: a time stamp, a coloured nick, 60-80 characters.
#pragma once

#include <string>
#include <vector>

namespace morva::bench {

// 64 different channel lines of the shape the client appends, 5 to 7 formatting codes each.
inline std::vector<std::string> typicalLines()
{
    static const char* const nicks[] = {"Alyona", "bob", "Dmitry_K", "zed", "Svetlana", "kot", "[Nemo]", "x-ray"};
    static const char* const words[] = {
        "\xef\xf0\xe8\xe2\xe5\xf2",  "server", "\xea\xe0\xed\xe0\xeb", "ping",   "lag",  "\xe4\xe0", "the",
        "http://dawnhall.example/q", "ok",     "\xed\xe5\xf2",         "anyone", "build"};
    std::vector<std::string> out;
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int i = 0; i < 64; ++i) {
        std::string text;
        const std::size_t want = 60 + next() % 21;
        while (text.size() < want) {
            if (next() % 9 == 0)
                text += std::string("\x02") + words[next() % 12] + "\x02 ";
            else
                text += std::string(words[next() % 12]) + " ";
        }
        text.resize(want);
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d", 10 + i % 12, i % 60, (i * 7) % 60);
        out.push_back("\x03"
                      "4" +
                      std::string(stamp) +
                      " \x03"
                      "14<\x03"
                      "9" +
                      nicks[i % 8] +
                      "\x03"
                      "14>\x03"
                      "1 " +
                      text);
    }
    return out;
}

} // namespace morva::bench
