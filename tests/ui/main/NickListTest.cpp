// Nick lists: the prefixes and ranks, stripping, and the lookups and changes of a channel's list.
#include "FormFixture.h"
#include "ui/main/NickPrefix.h"

#include <string_view>

namespace morva::test {
namespace {

TEST(NickPrefixTest, ModePrefixAndRank)
{
    // clang-format off
    struct Row { char letter; char prefix; int rank; };
    const Row rows[] = {
        {'q', '~', 5}, {'a', '&', 4}, {'o', '@', 3}, {'h', '%', 2}, {'v', '+', 1},
        {'b', '\0', 0}, {'O', '\0', 0}, {'k', '\0', 0},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(1, r.letter));
        EXPECT_EQ(ModePrefix(r.letter), r.prefix);
        EXPECT_EQ(PrefixRank(r.prefix), r.rank);
    }
    for (char c : {'a', '#', '!', '$', '\0'})
        EXPECT_EQ(PrefixRank(c), 0) << c;
}

TEST(NickPrefixTest, GrantReplacesOnlyALowerPrefix)
{
    // clang-format off
    struct Row { char current; char granted; bool replaces; };
    const Row rows[] = {
        {'\0', '+', true}, {'\0', '~', true}, {'+', '@', true}, {'%', '@', true}, {'@', '~', true},
        {'@', '+', false}, {'~', '@', false}, {'@', '@', false}, {'&', '%', false}, {'\0', '\0', false},
    };
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(PrefixGrantReplaces(r.current, r.granted), r.replaces) << "'" << r.current << "' -> '" << r.granted;
}

TEST(NickPrefixTest, ClearNickRemovesOnePrefix)
{
    // clang-format off
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"~anna", "anna"}, {"anna", "anna"}, {"+", ""}, {"", ""}, {"@+bob", "+bob"},
        {"&x", "x"}, {"%x", "x"}, {"#x", "#x"}, {"a@b", "a@b"},
    };
    // clang-format on
    for (const auto& [entry, clear] : rows) {
        EXPECT_EQ(GetClearNick(entry), clear) << entry;
        EXPECT_EQ(ClearName(entry), clear) << entry;
    }
}

// One operation on the nick list of "#CHAN" (the channel is given as shown), then the list and the result.
struct NickCase
{
    const char* name;
    std::vector<std::string> before;
    enum Op
    {
        Find,
        Add,
        Del,
        AddThenDel
    } op;
    const char* channel;
    const char* arg;
    std::vector<std::string> after;
    int found = -1; // Find only
};

void PrintTo(const NickCase& c, std::ostream* os)
{
    *os << c.name;
}

class NickListCaseTest : public FormFixture, public ::testing::WithParamInterface<NickCase>
{};

TEST_P(NickListCaseTest, Operation)
{
    const NickCase& c = GetParam();
    create();
    form->FindMemo("#CHAN");
    NickList& list = *form->userListAt(form->FindUserList("#CHAN"));
    for (const std::string& e : c.before)
        list.Add(e);
    switch (c.op) {
    case NickCase::Find: EXPECT_EQ(form->FindNickEntry(c.arg, c.channel), c.found); break;
    case NickCase::Add: form->AddNick(c.channel, c.arg); break;
    case NickCase::Del: form->DelNick(c.channel, c.arg); break;
    case NickCase::AddThenDel:
        form->AddNick(c.channel, c.arg);
        EXPECT_EQ(list.Count(), static_cast<int>(c.before.size()) + 1);
        form->DelNick(c.channel, c.arg);
        break;
    }
    EXPECT_EQ(list.entries(), c.after);
}

// clang-format off
const NickCase kNickCases[] = {
    {"DelWithPrefixTakesBareFirst", {"bob", "@bob"},     NickCase::Del,  "#CHAN", "@bob",  {"@bob"}},
    {"DelWhateverPrefix",           {"anna", "~bob"},    NickCase::Del,  "#CHAN", "bob",   {"anna"}},
    {"DelIgnoresCase",              {"+Bob"},            NickCase::Del,  "#CHAN", "BOB",   {}},
    {"DelAbsentChangesNothing",     {"anna"},            NickCase::Del,  "#CHAN", "bob",   {"anna"}},
    {"DelOnlyExactNick",            {"bobby", "+bo"},    NickCase::Del,  "#CHAN", "bob",   {"bobby", "+bo"}},
    {"DelLowerCaseChannel",         {"anna"},            NickCase::Del,  "#chan", "anna",  {}},
    {"DelNoWindowDoesNothing",      {"anna"},            NickCase::Del,  "#other", "anna", {"anna"}},
    {"DuplicateAddThenOneDel",      {"anna"},            NickCase::AddThenDel, "#CHAN", "anna", {"anna"}},
    {"AddAppendsAtTheEnd",          {"zed"},             NickCase::Add,  "#chan", "@anna", {"zed", "@anna"}},
    {"AddNoWindowDoesNothing",      {},                  NickCase::Add,  "#none", "anna",  {}},
    {"FindVoicedInAnyCase",         {"anna", "+bob"},    NickCase::Find, "#CHAN", "BOB",   {"anna", "+bob"}, 1},
    {"FindFormsByAscendingRank",    {"~bob", "@bob"},    NickCase::Find, "#CHAN", "bob",   {"~bob", "@bob"}, 1},
    {"FindBareBeforePrefixed",      {"@bob", "bob"},     NickCase::Find, "#CHAN", "bob",   {"@bob", "bob"}, 1},
    {"FindCyrillicInOtherCase",     {"\xc0\xed\xff"},    NickCase::Find, "#CHAN", "\xe0\xcd\xdf", {"\xc0\xed\xff"}, 0},
    {"FindAbsent",                  {"anna"},            NickCase::Find, "#CHAN", "bob",   {"anna"}, -1},
    {"FindNoWindow",                {"anna"},            NickCase::Find, "#none", "anna",  {"anna"}, -1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, NickListCaseTest, ::testing::ValuesIn(kNickCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morva::test
