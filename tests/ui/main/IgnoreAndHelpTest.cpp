// "В игнор" in the nick menu (the mask it proposes and what it adds) and "Справка" (which help file it opens).
#include "TrafficFixture.h"
#include "ui/dialogs/Prompts.h"

#include <optional>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

struct IgnoreMenuCase
{
    const char* name;
    const char* entry;                 // the nick list box entry selected; null: none
    std::optional<std::string> answer; // none: "Cancel"
    const char* proposal;              // the prompt's default text; null: no prompt
    Strings masks;                     // the ignore list afterwards
};

void PrintTo(const IgnoreMenuCase& c, std::ostream* os)
{
    *os << c.name;
}

class IgnoreMenu : public TrafficFixture, public ::testing::WithParamInterface<IgnoreMenuCase>
{};

// clang-format off
const IgnoreMenuCase kIgnoreMenu[] = {
    {"OperatorWithAddress", "@bob",   std::nullopt,    "bob!bi@bob.host",     {"old", "bob!bi@bob.host"}},
    {"JoinedLaterNoRecord", "carol",  std::nullopt,    "carol!*@*",           {"old", "carol!*@*"}},
    {"CyrillicVoiced",      "+Вася",  std::nullopt,    "Вася!v@h",            {"old", "Вася!v@h"}},
    {"EditedAnswer",        "@bob",   "*!*@bob.host",  "bob!bi@bob.host",     {"old", "*!*@bob.host"}},
    {"EmptyAnswerAdded",    "@bob",   "",              "bob!bi@bob.host",     {"old", ""}},
    {"NamesOnlyNoAddress",  "dave",   std::nullopt,    "dave!*@*",            {"old", "dave!*@*"}},
    {"NoRecord",            "ghost",  std::nullopt,    "ghost!*@*",           {"old", "ghost!*@*"}},
    {"NothingSelected",     nullptr,  "x",             nullptr,               {"old"}},
};
// clang-format on

TEST_P(IgnoreMenu, ProposesAMaskAndAddsTheAnswer)
{
    const IgnoreMenuCase& c = GetParam();
    in(":me!ident@127.0.0.1 JOIN :#chan");
    in(":srv 353 me = #chan :me @bob dave +Вася");
    in(":srv 366 me #chan :End of /NAMES list.");
    in(":bob!bi@bob.host PRIVMSG #chan :hi");
    in(":carol!ci@carol.host JOIN :#chan");
    in(":Вася!v@h PRIVMSG #chan :привет");
    activate("#CHAN");
    form->sListBox1->addItem(QStringLiteral("ghost"));
    form->ignoreList() = {"old"};
    if (c.entry) {
        const QList<QListWidgetItem*> found = form->sListBox1->findItems(QString::fromUtf8(c.entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << testing::PrintToString(box());
        found.front()->setSelected(true);
    }
    Strings prompts;
    ScopedPromptHooks hooks({[&](const std::string& caption, const std::string& prompt, const std::string& d) {
                                 prompts.push_back(text::toUtf8(caption + "|" + prompt + "|" + d));
                                 return c.answer ? text::fromUtf8(*c.answer) : d;
                             },
                             {}});
    form->N32Click();
    EXPECT_EQ(prompts, c.proposal ? Strings{std::string("Добавить в игнор|Введите маску|") + c.proposal} : Strings{});
    Strings masks;
    for (const std::string& m : form->ignoreList())
        masks.push_back(text::toUtf8(m));
    EXPECT_EQ(masks, c.masks);
}

INSTANTIATE_TEST_SUITE_P(Proposal, IgnoreMenu, ::testing::ValuesIn(kIgnoreMenu),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IgnoreMenu, TheAddedMaskSilencesTheNextMessage)
{
    in(":bob!bi@bob.host JOIN :#chan");
    activate("#CHAN");
    form->sListBox1->addItem(QStringLiteral("bob"));
    form->sListBox1->item(form->sListBox1->count() - 1)->setSelected(true);
    ScopedPromptHooks hooks({[](const std::string&, const std::string&, const std::string& d) { return d; }, {}});
    form->N32Click();
    in(":bob!bi@bob.host PRIVMSG #chan :hi");
    EXPECT_EQ(shown("#CHAN").size(), 1u) << dump("#CHAN"); // the join only
}

// --- "Справка" -------------------------------------------------------------------------------------------------

struct HelpCase
{
    const char* name;
    bool chmThere;
    bool handlerTakes; // what the opener answers
    Strings opened;
};

void PrintTo(const HelpCase& c, std::ostream* os)
{
    *os << c.name;
}

class HelpFile : public FormFixture, public ::testing::WithParamInterface<HelpCase>
{};

// clang-format off
const HelpCase kHelp[] = {
    {"CompiledHelpOpened",    true,  true,  {"Help.chm"}},
    {"NoViewerFallsBack",     true,  false, {"Help.chm", "Help.html"}},
    {"NoCompiledHelp",        false, true,  {"Help.html"}},
    {"NothingOpensAtAll",     false, false, {"Help.html"}},
};
// clang-format on

TEST_P(HelpFile, OpensTheHelpBesideTheExecutable)
{
    const HelpCase& c = GetParam();
    if (c.chmThere)
        writeFile(QDir(exeDir).filePath(QStringLiteral("Help.chm")), "ITSF");
    writeFile(QDir(exeDir).filePath(QStringLiteral("Help.html")), "<html></html>");
    create();
    Strings opened;
    form->openDocument = [&](const QString& file) {
        EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(exeDir).absoluteFilePath());
        opened.push_back(QFileInfo(file).fileName().toStdString());
        return c.handlerTakes;
    };
    form->OpenHelp();
    EXPECT_EQ(opened, c.opened);
}

INSTANTIATE_TEST_SUITE_P(Help, HelpFile, ::testing::ValuesIn(kHelp),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morva::test
