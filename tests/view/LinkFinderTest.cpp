// Link recognition in the text of a line.
#include "view/LinkFinder.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

using morva::findLinks;
using morva::LinkRange;

namespace {

struct Case
{
    const char* name;
    std::string_view text;
    std::vector<std::string_view> links;
};

// clang-format off
const Case kCases[] = {
    {"Http",              "see http://example.org/a?b=1 now",   {"http://example.org/a?b=1"}},
    {"Https",             "https://example.org",                {"https://example.org"}},
    {"Ftp",               "get ftp://files.example/x.zip",      {"ftp://files.example/x.zip"}},
    {"Www",               "at www.example.org.",                {"www.example.org"}},
    {"Mailto",            "mail mailto:a@b.example",            {"mailto:a@b.example"}},
    {"Irc",               "join irc://irc.example/#chan",       {"irc://irc.example/#chan"}},
    {"AnyCase",           "HTTP://EXAMPLE.ORG",                 {"HTTP://EXAMPLE.ORG"}},
    {"TwoLinks",          "http://a.example www.b.example",     {"http://a.example", "www.b.example"}},
    {"TrailingPunctuation", "(http://a.example/x), ok",         {"http://a.example/x"}},
    {"EndsAtAngleBracket", "<http://a.example>",                {"http://a.example"}},
    {"EndsAtControlByte", "http://a.example\x03" "4",           {"http://a.example"}},
    {"PrefixAlone",       "http:// and www.",                   {}},
    {"InsideAWord",       "xhttp://a.example notwww.b.example", {}},
    {"NoPrefix",          "example.org and ftp.example.org",    {}},
};
// clang-format on

class LinkCases : public ::testing::TestWithParam<Case>
{};

TEST_P(LinkCases, Found)
{
    const Case& c = GetParam();
    std::vector<LinkRange> ranges;
    findLinks(c.text, ranges);
    std::vector<std::string_view> got;
    for (const LinkRange& r : ranges)
        got.push_back(c.text.substr(static_cast<std::size_t>(r.start), static_cast<std::size_t>(r.end - r.start)));
    EXPECT_EQ(got, c.links);
}

INSTANTIATE_TEST_SUITE_P(Table, LinkCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
