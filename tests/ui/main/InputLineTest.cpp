// The input line: what a submitted line sends to the server and shows, the formatting keys, and the not-connected
// and system-window answers.
#include "TrafficFixture.h"

#include <QLineEdit>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kHint =
    "Сообщения пишутся в окне канала или привата; команды, начинающиеся с «/», работают и здесь";

// Sends what is typed as Enter would, through the key handler.
void submit(TForm1& form, std::string_view utf8)
{
    form.sEdit1->setText(text::toQString(coded(utf8)));
    int key = Qt::Key_Return;
    form.sEdit1KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, 0);
}

struct InputCase
{
    const char* name;
    const char* active; // the window in view
    const char* typed;
    Strings sent;       // the lines that reach the server, in order, coded
    const char* window; // the one window that shows a new line (besides the echo of sent lines), or null
    std::string shows;  // that line, coded
    Strings tabsAfter;  // empty: unchanged
};

void PrintTo(const InputCase& c, std::ostream* os)
{
    *os << c.name;
}

class InputTable : public TrafficFixture, public ::testing::WithParamInterface<InputCase>
{
protected:
    void beforeConnect() override
    {
        form->aliasList() = {"j~JOIN $",        "twice~PRIVMSG #chan :$ and $",
                             "w~WHOIS first $", "W~WHOIS last $",
                             "part~QUIT alias", "me~QUIT alias",
                             "msg~QUIT alias",  text::fromUtf8("ж~JOIN #ж$"),
                             "~QUIT nameless"};
    }
};

const Strings kTabs = {"Система", "#CHAN", "alice"};

std::string msg(const char* text)
{
    return std::string("^C4<ts> ^C14^B<^C9me^C14>^B^C1 ") + text;
}
std::string act(const char* text)
{
    return std::string("^C4<ts>^C ^C13me ") + text;
}

// clang-format off
const InputCase kInputs[] = {
    {"PlainText",         "#CHAN",   "hello there",       {"PRIVMSG #CHAN :hello there"},      "#CHAN",   msg("hello there"), {}},
    {"Blanks",            "#CHAN",   "   ",               {"PRIVMSG #CHAN :   "},              "#CHAN",   msg("   "), {}},
    {"Cyrillic",          "#CHAN",   "привет, мир",       {"PRIVMSG #CHAN :привет, мир"},      "#CHAN",   msg("привет, мир"), {}},
    {"FormattingCodes",   "#CHAN",   "^Bbold^B ^C4red",   {"PRIVMSG #CHAN :^Bbold^B ^C4red"},  "#CHAN",   msg("^Bbold^B ^C4red"), {}},
    {"PrivateWindow",     "alice",   "hi",                {"PRIVMSG alice :hi"},               "alice",   msg("hi"), {}},
    {"EmptyLine",         "#CHAN",   "",                  {},                                  nullptr,   "", {}},
    {"SystemWindowText",  "Система", "hello",             {},                                  "Система", std::string("^C4<ts>^C ") + kHint, {}},
    {"SystemWindowSlash", "Система", "/JOIN #new",        {"JOIN #new"},                       nullptr,   "", {}},
    {"Me",                "#CHAN",   "/me waves",         {"PRIVMSG #CHAN :^AACTION waves^A"}, "#CHAN",   act("waves"), {}},
    {"MeCapitals",        "#CHAN",   "/ME waves  twice ", {"PRIVMSG #CHAN :^AACTION waves  twice ^A"}, "#CHAN", act("waves  twice "), {}},
    {"MeAlone",           "#CHAN",   "/me",               {"PRIVMSG #CHAN :^AACTION me^A"},    "#CHAN",   act("me"), {}},
    {"MeInPrivate",       "alice",   "/me nods",          {"PRIVMSG alice :^AACTION nods^A"},  "alice",   act("nods"), {}},
    {"MsgNewWindow",      "#CHAN",   "/msg bob hi there", {"PRIVMSG bob :hi there"},           "BOB",     msg("hi there"), {"Система", "#CHAN", "alice", "BOB"}},
    {"MsgMixedCase",      "#CHAN",   "/MsG bob x",        {"PRIVMSG bob :x"},                  "BOB",     msg("x"), {"Система", "#CHAN", "alice", "BOB"}},
    {"MsgOpenWindow",     "#CHAN",   "/msg ALICE hey",    {"PRIVMSG ALICE :hey"},              "alice",   msg("hey"), {}},
    {"MsgCyrillicNick",   "#CHAN",   "/msg вася привет",  {"PRIVMSG вася :привет"},            "ВАСЯ",    msg("привет"), {"Система", "#CHAN", "alice", "ВАСЯ"}},
    {"MsgWithoutText",    "#CHAN",   "/msg bob",          {},                                  nullptr,   "", {}},
    {"MsgAlone",          "#CHAN",   "/msg",              {},                                  nullptr,   "", {}},
    {"MsgWithoutTarget",  "#CHAN",   "/msg  bob hi",      {},                                  nullptr,   "", {}},
    {"Part",              "#CHAN",   "/part #chan",       {"PART #chan"},                      nullptr,   "", {"Система", "alice"}},
    {"PartCapitals",      "alice",   "/PART #Chan",       {"PART #Chan"},                      nullptr,   "", {"Система", "alice"}},
    {"PartPrivate",       "#CHAN",   "/Part alice",       {"PART alice"},                      nullptr,   "", {"Система", "#CHAN"}},
    {"PartAlone",         "#CHAN",   "/part",             {"PART part"},                       nullptr,   "", {}},
    {"RawCapitals",       "#CHAN",   "/JOIN #new",        {"JOIN #new"},                       nullptr,   "", {}},
    {"RawSmall",          "#CHAN",   "/join #new",        {"join #new"},                       nullptr,   "", {}},
    {"RawMixedKeepsAll",  "#CHAN",   "/Mode #chan +t  x", {"Mode #chan +t  x"},                nullptr,   "", {}},
    {"RawAlone",          "#CHAN",   "/LIST",             {"LIST"},                            nullptr,   "", {}},
    {"Alias",             "#CHAN",   "/j #x",             {"JOIN #x"},                         nullptr,   "", {}},
    {"AliasCapitals",     "#CHAN",   "/J #x",             {"JOIN #x"},                         nullptr,   "", {}},
    {"AliasTwoDollars",   "#CHAN",   "/twice a  b ",      {"PRIVMSG #chan :a  b  and a  b "},  nullptr,   "", {}},
    {"AliasLastWins",     "#CHAN",   "/w bob",            {"WHOIS last bob"},                  nullptr,   "", {}},
    {"AliasAlone",        "#CHAN",   "/j",                {"JOIN j"},                          nullptr,   "", {}},
    {"AliasCyrillicName", "#CHAN",   "/Ж чат",            {"JOIN #жчат"},                      nullptr,   "", {}},
    {"EmptyWordNoAlias",  "#CHAN",   "/ x",               {" x"},                              nullptr,   "", {}},
};
// clang-format on

TEST_P(InputTable, SendsAndShows)
{
    const InputCase& c = GetParam();
    for (const char* name : {"#CHAN", "alice"})
        form->FindMemo(text::fromUtf8(name));
    activate(c.active);
    const std::size_t before = server.received().size();

    submit(*form, c.typed);
    EXPECT_TRUE(form->sEdit1->text().isEmpty());

    // What the windows show, taken before the marker line goes out: the system window echoes every sent line.
    Strings system = {"^C4<ts>^C ^C12-> NICK me", "^C4<ts>^C ^C12-> USER ident 127.0.0.1 127.0.0.1 :Real Name"};
    for (const std::string& line : c.sent)
        system.push_back("^C4<ts>^C ^C12-> " + line);
    const bool toSystem = c.window && std::string(c.window) == kSystem;
    if (toSystem)
        system.push_back(c.shows);
    expectWindow(kSystem, system);
    const Strings& tabsAfter = c.tabsAfter.empty() ? kTabs : c.tabsAfter;
    for (const std::string& tab : tabsAfter) {
        if (tab == kSystem)
            continue;
        if (c.window && tab == c.window)
            expectWindow(tab, {c.shows});
        else
            EXPECT_TRUE(shown(tab).empty()) << tab << ":\n" << dump(tab);
    }
    EXPECT_EQ(tabs(), tabsAfter);

    form->IdIRC1.SendRaw("PING :marker");
    ASSERT_TRUE(server.waitFor("PING :marker\r\n", pump()));
    std::string want;
    for (const std::string& line : c.sent)
        want += coded(line) + "\r\n";
    EXPECT_EQ(text::toUtf8(server.received().substr(before)), text::toUtf8(want + "PING :marker\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Submit, InputTable, ::testing::ValuesIn(kInputs),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Keys, through the input line's own key events -------------------------------------------------------------

struct KeyCase
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* after; // the input line's text, coded, after "ab" with the caret at its start
};

// clang-format off
const KeyCase kKeys[] = {
    {"CtrlB",      Qt::Key_B,  Qt::ControlModifier,                    "ab^B"},
    {"CtrlShiftB", Qt::Key_B,  Qt::ControlModifier | Qt::ShiftModifier, "ab^B"},
    {"CtrlR",      Qt::Key_R,  Qt::ControlModifier,                    "ab^V"},
    {"CtrlU",      Qt::Key_U,  Qt::ControlModifier,                    "ab^_"},
    {"CtrlAltU",   Qt::Key_U,  Qt::ControlModifier | Qt::AltModifier,   "ab^_"},
    {"CtrlK",      Qt::Key_K,  Qt::ControlModifier,                    "ab"},
    {"Up",         Qt::Key_Up, Qt::NoModifier,                         ""},
    {"ShiftUp",    Qt::Key_Up, Qt::ShiftModifier,                      ""},
    {"PlainB",     Qt::Key_B,  Qt::NoModifier,                         "bab"},
};
// clang-format on

class KeyTable : public FormFixture, public ::testing::WithParamInterface<KeyCase>
{};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

TEST_P(KeyTable, ChangesTheLine)
{
    const KeyCase& c = GetParam();
    create();
    int pickerShown = 0;
    form->showColourPicker = [&] { ++pickerShown; };
    form->sEdit1->setText(QStringLiteral("ab"));
    // The caret at the start: the edit field's own Ctrl+K and Ctrl+U would delete there.
    form->sEdit1->setCursorPosition(0);
    QTest::keyClick(form->sEdit1, c.key, c.modifiers, c.key == Qt::Key_B && !c.modifiers ? 0 : -1);
    EXPECT_EQ(text::toUtf8(text::fromQString(form->sEdit1->text())), text::toUtf8(coded(c.after)));
    EXPECT_EQ(pickerShown, c.key == Qt::Key_K ? 1 : 0);
    if (c.modifiers.testFlag(Qt::ControlModifier) && c.key != Qt::Key_K) {
        EXPECT_EQ(form->sEdit1->cursorPosition(), form->sEdit1->text().size());
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTable, ::testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormFixture, CtrlKWithoutAColourPickerChangesNothing)
{
    create();
    form->sEdit1->setText(QStringLiteral("ab"));
    form->sEdit1->setCursorPosition(0);
    QTest::keyClick(form->sEdit1, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(form->sEdit1->text(), QStringLiteral("ab"));
}

class InputLine : public TrafficFixture
{};

TEST_F(InputLine, EnterKeySubmitsThroughTheEditField)
{
    form->FindMemo("#CHAN");
    activate("#CHAN");
    QTest::keyClicks(form->sEdit1, QStringLiteral("hi"));
    QTest::keyClick(form->sEdit1, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(form->sEdit1, Qt::Key_Return);
    EXPECT_TRUE(form->sEdit1->text().isEmpty());
    ASSERT_TRUE(server.waitFor("PRIVMSG #CHAN :hi\x02\r\n", pump()));
    expectWindow("#CHAN", {msg("hi^B")});
    QTest::keyClicks(form->sEdit1, QStringLiteral("/me x"));
    QTest::keyClick(form->sEdit1, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_TRUE(server.waitFor("PRIVMSG #CHAN :\x01"
                               "ACTION x\x01\r\n",
                               pump()));
    expectWindow("#CHAN", {msg("hi^B"), act("x")});
}

// --- Not connected ---------------------------------------------------------------------------------------------

struct OfflineCase
{
    const char* name;
    const char* typed;
    bool says; // the window in view says "Вы не подключены к серверу" in red; otherwise nothing is shown
};

// clang-format off
const OfflineCase kOffline[] = {
    {"PlainText",   "hello",          true},
    {"Me",          "/me waves",      true},
    {"Msg",         "/msg bob hi",    true},
    {"MsgNoText",   "/msg bob",       false},
    {"Raw",         "/JOIN #x",       false},
    {"Alias",       "/j #x",          false},
    {"Part",        "/part #chan",    false},
};
// clang-format on

class OfflineTable : public FormFixture, public ::testing::WithParamInterface<OfflineCase>
{
protected:
    std::vector<std::string> lines(const char* utf8Name) const
    {
        std::vector<std::string> out;
        const WindowRegistry& r = form->registry();
        const TIRCMemo* v = r.viewAt(r.IndexOf(text::fromUtf8(utf8Name), WindowRegistry::Kind::View));
        for (int i = 0; v && i < v->lineCount(); ++i)
            out.push_back(text::toUtf8(v->lineText(i)));
        return out;
    }
};

void PrintTo(const OfflineCase& c, std::ostream* os)
{
    *os << c.name;
}

TEST_P(OfflineTable, SaysSoInTheWindowInViewInsteadOfTheEcho)
{
    const OfflineCase& c = GetParam();
    create();
    form->aliasList() = {"j~JOIN $"};
    ASSERT_FALSE(form->IdIRC1.Connected());
    for (const char* name : {"Система", "#CHAN"})
        form->FindMemo(text::fromUtf8(name));
    form->sPageControl1->setCurrentIndex(1);
    submit(*form, c.typed);
    // "/part" closes the window whatever the connection.
    const bool parted = std::string(c.typed).rfind("/part", 0) == 0;
    EXPECT_EQ(form->sPageControl1->count(), parted ? 1 : 2);
    EXPECT_TRUE(lines("Система").empty());
    if (parted)
        return;
    ASSERT_EQ(lines("#CHAN"), c.says ? Strings{"Вы не подключены к серверу"} : Strings{});
    if (c.says) {
        EXPECT_EQ(form->memoAt(form->FindMemo("#CHAN"))->formatAt(0, 0).foreground, 4);
    }
}

INSTANTIATE_TEST_SUITE_P(Offline, OfflineTable, ::testing::ValuesIn(kOffline),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormFixture, TypingBeforeAnyWindowCreatesNone)
{
    create();
    for (const char* typed : {"hello", "/me waves", "/msg bob hi", "/part #chan", "/JOIN #x"}) {
        SCOPED_TRACE(typed);
        submit(*form, typed);
        EXPECT_EQ(form->sPageControl1->count(), 0);
    }
}

} // namespace
} // namespace morva::test
