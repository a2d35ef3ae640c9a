// The alias editor and the ignore-list dialog: what each button does to the rows and to the list behind them,
// the prompts they show, their refusals, and when the ignore list takes the rows over.
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/commands/AliasList.h"
#include "ui/commands/IgnoreList.h"
#include "ui/dialogs/Prompts.h"
#include "ui/dialogs/TForm10.h"
#include "ui/dialogs/TForm8.h"

#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace morva {
namespace {

using Strings = std::vector<std::string>;

Strings utf8(const std::vector<std::string>& cp1251)
{
    Strings out;
    for (const std::string& s : cp1251)
        out.push_back(text::toUtf8(s));
    return out;
}
Strings cp1251(const Strings& utf8Lines)
{
    Strings out;
    for (const std::string& s : utf8Lines)
        out.push_back(text::fromUtf8(s));
    return out;
}
Strings rows(const QListWidget* box)
{
    Strings out;
    for (int i = 0; i < box->count(); ++i)
        out.push_back(box->item(i)->text().toStdString());
    return out;
}

// Stands in for the prompt (answering with answer, or with the default text when there is none, as "Cancel"
// does) and the message box, and records both.
struct Boxes
{
    std::optional<std::string> answer; // UTF-8
    Strings prompts;                   // "caption|prompt|default", UTF-8
    Strings messages;                  // UTF-8
    ScopedPromptHooks hooks{{[this](const std::string& c, const std::string& p, const std::string& d) {
                                 prompts.push_back(text::toUtf8(c + "|" + p + "|" + d));
                                 return answer ? text::fromUtf8(*answer) : d;
                             },
                             [this](const std::string& t, bool) { messages.push_back(text::toUtf8(t)); }}};
};

void select(QListWidget* box, int row)
{
    if (row >= 0)
        box->setCurrentRow(row);
}

// --- TForm10 ---------------------------------------------------------------------------------------------------

struct AliasCase
{
    const char* name;
    Strings before;
    int row;                           // the selected row, -1 for none
    int button;                        // 1 "Редактировать", 2 "Добавить", 3 "Удалить"
    std::optional<std::string> answer; // none: "Cancel"
    Strings after;
    const char* prompt;  // null: no prompt
    const char* message; // null: none
};

void PrintTo(const AliasCase& c, std::ostream* os)
{
    *os << c.name;
}

class AliasEditor : public ::testing::TestWithParam<AliasCase>
{};

const Strings kAliases = {"j~JOIN $", "w~WHOIS $"};

// clang-format off
const AliasCase kAliasCases[] = {
    {"AddValid",          kAliases, -1, 2, "op~MODE #c +o $",  {"j~JOIN $", "w~WHOIS $", "op~MODE #c +o $"}, "Ввод|Введите алиас|алиас~команда $", nullptr},
    {"AddCancelAddsDefault", kAliases, -1, 2, std::nullopt,   {"j~JOIN $", "w~WHOIS $", "алиас~команда $"}, "Ввод|Введите алиас|алиас~команда $", nullptr},
    {"AddWithSelection",  kAliases, 0,  2, "x~y",              {"j~JOIN $", "w~WHOIS $", "x~y"},             "Ввод|Введите алиас|алиас~команда $", nullptr},
    {"AddTildeLast",      kAliases, -1, 2, "name~",            kAliases,                                     "Ввод|Введите алиас|алиас~команда $", "Алиас не соответствует указанному формату"},
    {"AddTildeFirst",     kAliases, -1, 2, "~body",            kAliases,                                     "Ввод|Введите алиас|алиас~команда $", "Алиас не соответствует указанному формату"},
    {"AddNoTilde",        kAliases, -1, 2, "plain",            kAliases,                                     "Ввод|Введите алиас|алиас~команда $", "Алиас не соответствует указанному формату"},
    {"AddEmptyName",      kAliases, -1, 2, "~a~b",             {"j~JOIN $", "w~WHOIS $", "~a~b"},            "Ввод|Введите алиас|алиас~команда $", nullptr},
    {"Edit",              kAliases, 1,  1, "w~WHOIS $ $",      {"j~JOIN $", "w~WHOIS $ $"},                  "Редактирование|Введите новый алиас|w~WHOIS $", nullptr},
    {"EditCancelKeeps",   kAliases, 0,  1, std::nullopt,       kAliases,                                     "Редактирование|Введите новый алиас|j~JOIN $", nullptr},
    {"EditInvalid",       kAliases, 0,  1, "j JOIN",           kAliases,                                     "Редактирование|Введите новый алиас|j~JOIN $", "Алиас не соответствует формату"},
    {"EditNoSelection",   kAliases, -1, 1, "x~y",              kAliases,                                     nullptr, nullptr},
    {"Delete",            kAliases, 0,  3, std::nullopt,       {"w~WHOIS $"},                                nullptr, nullptr},
    {"DeleteLast",        {"a~b"},  0,  3, std::nullopt,       {},                                           nullptr, nullptr},
    {"DeleteNoSelection", kAliases, -1, 3, std::nullopt,       kAliases,                                     nullptr, nullptr},
};
// clang-format on

TEST_P(AliasEditor, ChangesRowsAndListTogether)
{
    const AliasCase& c = GetParam();
    AliasList aliases;
    aliases.Lines() = cp1251(c.before);
    Boxes boxes;
    boxes.answer = c.answer;
    TForm10 form(aliases);
    form.show();
    EXPECT_EQ(rows(form.sListBox1), c.before);
    select(form.sListBox1, c.row);
    QPushButton* buttons[] = {form.sButton1, form.sButton2, form.sButton3};
    QTest::mouseClick(buttons[c.button - 1], Qt::LeftButton);

    EXPECT_EQ(utf8(aliases.Lines()), c.after);
    EXPECT_EQ(rows(form.sListBox1), c.after);
    EXPECT_EQ(boxes.prompts, c.prompt ? Strings{c.prompt} : Strings{});
    EXPECT_EQ(boxes.messages, c.message ? Strings{c.message} : Strings{});
    form.close();
    EXPECT_EQ(utf8(aliases.Lines()), c.after) << "closing changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Buttons, AliasEditor, ::testing::ValuesIn(kAliasCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AliasEditorForm, CaptionsAndRefillOnEveryShow)
{
    AliasList aliases;
    aliases.Lines() = {"a~b"};
    TForm10 form(aliases);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Редактор алиасов"));
    EXPECT_EQ(form.sLabel1->text(), QStringLiteral("Алиасы"));
    EXPECT_EQ(form.sButton1->text(), QStringLiteral("Редактировать"));
    EXPECT_EQ(form.sButton2->text(), QStringLiteral("Добавить"));
    EXPECT_EQ(form.sButton3->text(), QStringLiteral("Удалить"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.show();
    form.hide();
    aliases.Lines().push_back("c~d");
    form.show();
    EXPECT_EQ(rows(form.sListBox1), (Strings{"a~b", "c~d"}));
}

// The edit prompt runs the event loop, during which the main window may close and empty the alias list: the
// answer then has no line left to replace.
TEST(AliasEditorForm, AnEditAnsweredAfterTheListWasEmptiedWritesNothing)
{
    AliasList aliases;
    aliases.Lines() = {"a~b", "c~d"};
    TForm10 form(aliases);
    form.show();
    form.sListBox1->setCurrentRow(1);
    ScopedPromptHooks hooks{{[&](const std::string&, const std::string&, const std::string&) {
                                 aliases.Lines().clear();
                                 return std::string("e~f");
                             },
                             [](const std::string&, bool) {}}};
    form.sButton1Click();
    EXPECT_TRUE(aliases.Lines().empty());
    EXPECT_EQ(rows(form.sListBox1), (Strings{"a~b", "c~d"})) << "the answer is dropped";
}

// --- TForm8 ----------------------------------------------------------------------------------------------------

struct IgnoreCase
{
    const char* name;
    Strings before;
    int row;    // the selected row, -1 for none
    int button; // 1 "Добавить", 2 "Удалить", 3 "Править"
    std::optional<std::string> answer;
    Strings after; // the rows, and the ignore list once the dialog has closed
    const char* prompt;
};

void PrintTo(const IgnoreCase& c, std::ostream* os)
{
    *os << c.name;
}

class IgnoreDialog : public ::testing::TestWithParam<IgnoreCase>
{};

const Strings kMasks = {"bob!*@*", "*!*@spam.example"};

// clang-format off
const IgnoreCase kIgnoreCases[] = {
    {"Add",               kMasks, -1, 1, "Вася!*@*",    {"bob!*@*", "*!*@spam.example", "Вася!*@*"},        "Добавить|Введите маску|Nick!ident@host"},
    {"AddCancelAddsDefault", kMasks, -1, 1, std::nullopt, {"bob!*@*", "*!*@spam.example", "Nick!ident@host"}, "Добавить|Введите маску|Nick!ident@host"},
    {"AddEmptyDropped",   kMasks, -1, 1, "",            kMasks,                                               "Добавить|Введите маску|Nick!ident@host"},
    {"AddDuplicate",      kMasks, -1, 1, "bob!*@*",     {"bob!*@*", "*!*@spam.example", "bob!*@*"},         "Добавить|Введите маску|Nick!ident@host"},
    {"Delete",            kMasks, 1,  2, std::nullopt,  {"bob!*@*"},                                          nullptr},
    {"DeleteNoSelection", kMasks, -1, 2, std::nullopt,  kMasks,                                               nullptr},
    {"Edit",              kMasks, 0,  3, "bob!*@home",  {"bob!*@home", "*!*@spam.example"},                  "Изменить|Введите маску|bob!*@*"},
    {"EditToEmpty",       kMasks, 1,  3, "",            {"bob!*@*", ""},                                      "Изменить|Введите маску|*!*@spam.example"},
    {"EditCancelKeeps",   kMasks, 1,  3, std::nullopt,  kMasks,                                               "Изменить|Введите маску|*!*@spam.example"},
    {"EditNoSelection",   kMasks, -1, 3, "x",           kMasks,                                               nullptr},
};
// clang-format on

TEST_P(IgnoreDialog, EditsTheRowsAndHandsThemOverOnClose)
{
    const IgnoreCase& c = GetParam();
    IgnoreList ignore;
    ignore.Masks() = cp1251(c.before);
    Boxes boxes;
    boxes.answer = c.answer;
    TForm8 form(ignore);
    form.show();
    EXPECT_EQ(rows(form.sListBox1), c.before);
    select(form.sListBox1, c.row);
    QPushButton* buttons[] = {form.sButton1, form.sButton2, form.sButton3};
    QTest::mouseClick(buttons[c.button - 1], Qt::LeftButton);

    EXPECT_EQ(rows(form.sListBox1), c.after);
    EXPECT_EQ(utf8(ignore.Masks()), c.before) << "the list waits for the close";
    EXPECT_EQ(boxes.prompts, c.prompt ? Strings{c.prompt} : Strings{});
    form.close();
    EXPECT_EQ(utf8(ignore.Masks()), c.after);
}

INSTANTIATE_TEST_SUITE_P(Buttons, IgnoreDialog, ::testing::ValuesIn(kIgnoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IgnoreDialogForm, EveryWayOfClosingHandsTheRowsOver)
{
    IgnoreList ignore;
    TForm8 form(ignore);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Игнор Лист"));
    EXPECT_EQ(form.sButton1->text(), QStringLiteral("Добавить"));
    EXPECT_EQ(form.sButton2->text(), QStringLiteral("Удалить"));
    EXPECT_EQ(form.sButton3->text(), QStringLiteral("Править"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    const std::function<void()> closers[] = {
        [&] { form.close(); },
        [&] { form.reject(); },
        [&] { form.accept(); },
        [&] { form.hide(); },
        [&] { QTest::keyClick(&form, Qt::Key_Escape); },
    };
    int n = 0;
    for (const auto& closeIt : closers) {
        SCOPED_TRACE(n);
        ignore.Masks() = {"old"};
        form.show();
        form.sListBox1->addItem(QString::number(n));
        closeIt();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(ignore.Masks(), (Strings{"old", std::to_string(n)}));
        ++n;
    }
}

TEST(IgnoreDialogForm, DeletingEveryRowEmptiesTheList)
{
    IgnoreList ignore;
    ignore.Masks() = {"a!*@*", "b!*@*", "c!*@*"};
    Boxes boxes;
    TForm8 form(ignore);
    form.show();
    for (int i = 0; i < 3; ++i) {
        form.sListBox1->setCurrentRow(0);
        form.sButton2Click();
    }
    EXPECT_EQ(form.sListBox1->count(), 0);
    form.close();
    EXPECT_TRUE(ignore.Masks().empty());
}

TEST(IgnoreDialogForm, ANeverShownDialogLeavesTheListAlone)
{
    IgnoreList ignore;
    ignore.Masks() = {"a!*@*"};
    {
        TForm8 form(ignore);
        form.hide();
    }
    EXPECT_EQ(ignore.Masks(), Strings{"a!*@*"});
}

} // namespace
} // namespace morva
