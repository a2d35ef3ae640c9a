// The main window's commands driven through its toolbar and menus against the loopback test server: connect,
// disconnect, join, leave, the nick menu's lines and roads, the actions menu and the now-playing announcement.
#include "TrafficFixture.h"
#include "ui/dialogs/Prompts.h"
#include "util/NowPlaying.h"
#include "util/SharedMemory.h"

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QToolButton>

namespace morva::test {
namespace {

// The menu's items as "title", "-" for a separator and "  " before each item of a submenu, depth by depth.
void tree(const QMenu* menu, const std::string& indent, std::vector<std::string>& out)
{
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out.push_back(indent + "-");
            continue;
        }
        out.push_back(indent + a->text().toStdString());
        if (a->menu())
            tree(a->menu(), indent + "  ", out);
    }
}

// The item at the end of a path of titles (UTF-8); null when there is none.
QAction* itemAt(const QMenu* menu, const std::vector<std::string>& path)
{
    QAction* found = nullptr;
    for (const std::string& title : path) {
        if (!menu)
            return nullptr;
        found = nullptr;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->text().toStdString() == title)
                found = a;
        if (!found)
            return nullptr;
        menu = found->menu();
    }
    return found;
}

// What the prompts and boxes were asked to show; the prompt answers with answer, or gives its default back
// (what "Cancel" does) when answer is null.
struct Boxes
{
    struct Prompt
    {
        std::string caption, prompt, defaultText;
    };
    std::vector<Prompt> prompts;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    const char* answer = nullptr;

    PromptHooks hooks()
    {
        PromptHooks h;
        h.input = [this](const std::string& c, const std::string& p, const std::string& d) {
            prompts.push_back({text::toUtf8(c), text::toUtf8(p), text::toUtf8(d)});
            return answer ? text::fromUtf8(answer) : d;
        };
        h.message = [this](const std::string& t, bool error) {
            (error ? errors : messages).push_back(text::toUtf8(t));
        };
        return h;
    }
};

// A connected main window with the channel #CHAN in view, whose members are @bob (known with an address) and
// alice (known from the names reply only), with @bob selected in the nick list box.
class CommandsTest : public TrafficFixture
{
protected:
    void SetUp() override
    {
        TrafficFixture::SetUp();
        if (HasFatalFailure())
            return;
        joinWithNames("#chan", "@bob alice");
        in(":bob!bobid@bob.host PRIVMSG #chan :hi");
        activate("#CHAN");
        form->sPageControl1Change();
        select("@bob");
        sentUntilMarker();
    }

    void select(const char* entry)
    {
        const auto found = form->sListBox1->findItems(QString::fromUtf8(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry;
        form->sListBox1->setCurrentItem(found.front());
    }

    void trigger(QMenu* menu, const std::vector<std::string>& path)
    {
        QAction* a = itemAt(menu, path);
        ASSERT_NE(a, nullptr) << path.back();
        a->trigger();
    }

    // Everything the server received since the previous marker (or since the set-up) up to a new marker written
    // straight to the link; the marker shows that all before it has arrived.
    std::string sentUntilMarker()
    {
        const std::string marker = "MARKER " + std::to_string(++m_markers) + "\r\n";
        form->IdIRC1.WriteLine(marker.substr(0, marker.size() - 2));
        EXPECT_TRUE(server.waitFor(marker, pump()));
        const std::string all = server.received();
        const std::size_t at = all.find(marker, m_from);
        if (at == std::string::npos)
            return all.substr(m_from);
        const std::string sent = all.substr(m_from, at - m_from);
        m_from = at + marker.size();
        return sent;
    }

    // The system window's echo of a line the engine sent.
    int echoes(const std::string& line) const
    {
        int n = 0;
        for (const std::string& l : shown(kSystem))
            n += l.size() >= line.size() + 3 &&
                 l.compare(l.size() - line.size() - 3, std::string::npos, "-> " + line) == 0;
        return n;
    }

    Boxes boxes;
    ScopedPromptHooks hooks{boxes.hooks()};
    int m_markers = 0;
    std::size_t m_from = 0;
};

enum class Road
{
    Direct, // WriteLine: not echoed
    Engine  // SendRaw: echoed in the system window
};
enum class Menu
{
    Nick,
    Main
};
struct ItemCase
{
    const char* name;
    Menu menu;
    std::vector<std::string> path;
    const char* line;
    Road road;
    const char* answer = nullptr; // what the prompt answers; null: "Cancel"
    const char* prompt = nullptr; // caption / prompt / default the prompt shows
};

// clang-format off
const ItemCase kItems[] = {
    {"Info",        Menu::Nick, {"Информация"},                        "whois bob",              Road::Direct},
    {"Owner",       Menu::Nick, {"Управление", "(+q)Owner"},           "MODE #CHAN +q bob",      Road::Direct},
    {"DeOwner",     Menu::Nick, {"Управление", "(-q)DeOwner"},         "MODE #CHAN -q bob",      Road::Direct},
    {"Protect",     Menu::Nick, {"Управление", "(+a)Protect"},         "MODE #CHAN +a bob",      Road::Engine},
    {"DeProtect",   Menu::Nick, {"Управление", "(-a)DeProtect"},       "MODE #CHAN -a bob",      Road::Direct},
    {"Operator",    Menu::Nick, {"Управление", "(+o)Operator"},        "MODE #CHAN +o bob",      Road::Direct},
    {"DeOperator",  Menu::Nick, {"Управление", "(-o)DeOperator"},      "MODE #CHAN -o bob",      Road::Direct},
    {"Halfop",      Menu::Nick, {"Управление", "(+h)Halfop"},          "MODE #CHAN +h bob",      Road::Direct},
    {"DeHalfop",    Menu::Nick, {"Управление", "(-h)DeHalfop"},        "MODE #CHAN -h bob",      Road::Direct},
    {"Voice",       Menu::Nick, {"Управление", "(+v)Voice"},           "MODE #CHAN +v bob",      Road::Direct},
    {"DeVoice",     Menu::Nick, {"Управление", "(-v)DeVoice"},         "MODE #CHAN -v bob",      Road::Direct},
    {"Kick",        Menu::Nick, {"Кикнуть", "Кикнуть"},                "KICK #CHAN bob :me",     Road::Engine},
    {"KickReason",  Menu::Nick, {"Кикнуть", "Кикнуть по причине"},     "KICK #CHAN bob :флуд",   Road::Engine, "флуд",
                                                                       "Введите причину/Причина кика/me"},
    {"KickCancel",  Menu::Nick, {"Кикнуть", "Кикнуть по причине"},     "KICK #CHAN bob :me",     Road::Engine, nullptr,
                                                                       "Введите причину/Причина кика/me"},
    {"BanNick",     Menu::Nick, {"Бан", "По нику"},                    "MODE #CHAN +b bob",      Road::Direct},
    {"BanIp",       Menu::Nick, {"Бан", "По IP"},                      "MODE #CHAN +b *!bobid@bob.host", Road::Direct},
    {"BanMask",     Menu::Nick, {"Бан", "По маске"},                   "MODE #CHAN +b bob!bobid@bob.host", Road::Direct,
                                                                       nullptr, "Введите маску/Введите маску/bob!bobid@bob.host"},
    {"BanMaskEdit", Menu::Nick, {"Бан", "По маске"},                   "MODE #CHAN +b *!*@bob.host", Road::Direct, "*!*@bob.host",
                                                                       "Введите маску/Введите маску/bob!bobid@bob.host"},
    {"MainOp",      Menu::Main, {"Управление", "+o"},                  "MODE #CHAN +o bob",      Road::Direct},
    {"MainDeOp",    Menu::Main, {"Управление", "-o"},                  "MODE #CHAN -o bob",      Road::Direct},
    {"MainHalfop",  Menu::Main, {"Управление", "+h"},                  "MODE #CHAN +h bob",      Road::Direct},
    {"MainDeHalfop",Menu::Main, {"Управление", "-h"},                  "MODE #CHAN -h bob",      Road::Direct},
    {"MainVoice",   Menu::Main, {"Управление", "+v"},                  "MODE #CHAN +v bob",      Road::Direct},
    {"MainDeVoice", Menu::Main, {"Управление", "-v"},                  "MODE #CHAN -v bob",      Road::Direct},
    {"MainBan",     Menu::Main, {"Управление", "+b"},                  "MODE #CHAN +b bob",      Road::Direct},
    {"MainKick",    Menu::Main, {"Управление", "Кикнуть"},             "KICK #CHAN bob :me",     Road::Engine},
};
// clang-format on

QMenu* menuOf(TForm1& f, Menu m)
{
    return m == Menu::Nick ? f.NickMenu : f.MainMenu;
}

// Each item sends its line for the selected @bob, without the prefix, by its road; only the engine road's lines
// reach the system window, so "(+a)Protect" is the one mode item shown there.
TEST_F(CommandsTest, ItemsSendTheirLineByTheirRoad)
{
    for (const ItemCase& c : kItems) {
        SCOPED_TRACE(c.name);
        boxes.prompts.clear();
        boxes.answer = c.answer;
        const std::string line = text::fromUtf8(c.line);
        const int echoedBefore = echoes(text::toUtf8(line));
        trigger(menuOf(*form, c.menu), c.path);
        EXPECT_EQ(sentUntilMarker(), line + "\r\n");
        EXPECT_EQ(echoes(c.line) - echoedBefore, c.road == Road::Engine ? 1 : 0) << dump(kSystem);
        if (c.prompt) {
            ASSERT_EQ(boxes.prompts.size(), 1u);
            const Boxes::Prompt& p = boxes.prompts.front();
            EXPECT_EQ(p.caption + "/" + p.prompt + "/" + p.defaultText, c.prompt);
        } else {
            EXPECT_TRUE(boxes.prompts.empty());
        }
        EXPECT_TRUE(boxes.errors.empty());
    }
    // Nothing of it is echoed into the channel.
    for (const std::string& l : shown("#CHAN"))
        EXPECT_EQ(l.find("MODE"), std::string::npos) << l;
}

// A member the engine knows from the names reply only has no address: the address bans cover the nick from
// anywhere.
TEST_F(CommandsTest, AddressBansOfAMemberWithoutAddressUseTheNick)
{
    select("alice");
    trigger(form->NickMenu, {"Бан", "По IP"});
    EXPECT_EQ(sentUntilMarker(), "MODE #CHAN +b alice!*@*\r\n");
    trigger(form->NickMenu, {"Бан", "По маске"});
    EXPECT_EQ(sentUntilMarker(), "MODE #CHAN +b alice!*@*\r\n");
    ASSERT_EQ(boxes.prompts.size(), 1u);
    EXPECT_EQ(boxes.prompts.front().defaultText, "alice!*@*");
}

// With the system window in view, or with no entry selected, the items send nothing ("Информация" needs only
// the selection).
TEST_F(CommandsTest, ItemsNeedAWindowInViewAndASelection)
{
    for (const bool systemInView : {true, false}) {
        SCOPED_TRACE(systemInView ? "system window in view" : "nothing selected");
        if (systemInView) {
            // The system window's box is empty; an entry left in it must not count.
            activate(kSystem);
            form->sListBox1->addItem(QStringLiteral("@bob"));
            select("@bob");
        } else {
            activate("#CHAN");
            form->sPageControl1Change();
            form->sListBox1->clearSelection();
            form->sListBox1->setCurrentRow(-1);
        }
        for (const ItemCase& c : kItems) {
            SCOPED_TRACE(c.name);
            trigger(menuOf(*form, c.menu), c.path);
            const std::string sent = sentUntilMarker();
            if (systemInView && c.path.front() == "Информация")
                EXPECT_EQ(sent, "whois bob\r\n");
            else
                EXPECT_EQ(sent, "");
        }
    }
    EXPECT_TRUE(boxes.prompts.empty());
}

TEST_F(CommandsTest, JoinAddsTheHashInCapitalsAndOpensTheWindowAtOnce)
{
    boxes.answer = "newchan";
    form->ToolButton3->click();
    ASSERT_EQ(boxes.prompts.size(), 1u);
    EXPECT_EQ(boxes.prompts[0].caption, "Войти...");
    EXPECT_EQ(boxes.prompts[0].prompt, "Введите имя канала");
    EXPECT_EQ(boxes.prompts[0].defaultText, "");
    EXPECT_NE(view("#NEWCHAN"), nullptr) << "before the server answers";
    EXPECT_EQ(sentUntilMarker(), "JOIN #NEWCHAN\r\n");

    // Cancel gives the empty default: nothing happens.
    boxes.answer = nullptr;
    const auto before = tabs();
    form->ToolButton3->click();
    EXPECT_EQ(sentUntilMarker(), "");
    EXPECT_EQ(tabs(), before);
}

TEST_F(CommandsTest, LeaveClosesTheWindowInViewButNeverTheSystemWindow)
{
    activate(kSystem);
    form->ToolButton4->click();
    EXPECT_EQ(sentUntilMarker(), "");
    EXPECT_NE(view(kSystem), nullptr);

    in(":carol!c@carol.host PRIVMSG me :hello");
    activate("carol");
    form->ToolButton4->click();
    EXPECT_EQ(sentUntilMarker(), "PART carol\r\n");
    EXPECT_EQ(view("carol"), nullptr);
    EXPECT_EQ(tabs(), (std::vector<std::string>{kSystem, "#CHAN"}));
}

TEST_F(CommandsTest, DisconnectPartsEveryWindowButTheSystemWindowAndDrops)
{
    in(":me!ident@127.0.0.1 JOIN :#two");
    in(":me!ident@127.0.0.1 JOIN :#three");
    ASSERT_EQ(tabs(), (std::vector<std::string>{kSystem, "#CHAN", "#TWO", "#THREE"}));
    sentUntilMarker(); // the engine asks for the modes of each channel it joins
    const std::size_t from = server.received().size();
    form->ToolButton2->click();
    EXPECT_TRUE(server.waitPeerClosed(pump()));
    EXPECT_EQ(server.received().substr(from), "PART #CHAN\r\nPART #TWO\r\nPART #THREE\r\n");
    EXPECT_EQ(tabs(), std::vector<std::string>{kSystem});
    EXPECT_FALSE(form->IdIRC1.Connected());
}

// Closing each window lets pending clicks run; a second click on disconnect among them (a double click) must not
// part the window being closed once more.
TEST_F(CommandsTest, ASecondDisconnectClickWhileTheWindowsCloseChangesNothing)
{
    in(":me!ident@127.0.0.1 JOIN :#two");
    sentUntilMarker();
    const std::size_t from = server.received().size();
    QMetaObject::invokeMethod(form->ToolButton2, &QToolButton::click, Qt::QueuedConnection);
    form->ToolButton2->click();
    EXPECT_TRUE(server.waitPeerClosed(pump()));
    EXPECT_EQ(server.received().substr(from), "PART #CHAN\r\nPART #TWO\r\n");
    EXPECT_EQ(tabs(), std::vector<std::string>{kSystem});
}

// A dialog that counts how often it is opened instead of showing itself.
class CountingDialog : public QDialog
{
public:
    int exec() override
    {
        ++opened;
        return QDialog::Rejected;
    }
    int opened = 0;
};

// The channel settings dialog opens only with a channel in view while connected; with no dialog set, nothing
// opens and nothing fails.
TEST_F(CommandsTest, ChannelSettingsOpenOnlyOnAChannelWhileConnected)
{
    ASSERT_EQ(form->Form4, nullptr);
    form->ToolButton5->click();
    EXPECT_TRUE(boxes.errors.empty());

    CountingDialog dialog;
    form->Form4 = &dialog;
    form->ToolButton5->click();
    EXPECT_EQ(dialog.opened, 1) << "#CHAN in view";
    trigger(form->MainMenu, {"Канал", "Режимы"});
    EXPECT_EQ(dialog.opened, 2) << "the menu item";
    activate(kSystem);
    form->ToolButton5->click();
    in(":carol!c@carol.host PRIVMSG me :hello");
    activate("carol");
    form->ToolButton5->click();
    EXPECT_EQ(dialog.opened, 2) << "system or private window in view";
    activate("#CHAN");
    form->IdIRC1.CloseConnection();
    form->ToolButton5->click();
    EXPECT_EQ(dialog.opened, 2) << "not connected";
    form->Form4 = nullptr;
}

// --- Commands without a connection, and the connect command itself.

class OfflineCommandsTest : public FormFixture
{
protected:
    static constexpr const char* kSystem = "Система";
    static std::string sys() { return text::fromUtf8(kSystem); }

    void SetUp() override
    {
        FormFixture::SetUp();
        create();
    }
    // A window #CHAN in view with @bob selected, as if the connection had gone.
    void channelInView()
    {
        form->FindMemo(sys());
        const int view = form->FindMemo("#CHAN");
        form->AddNick("#CHAN", "@bob");
        form->sPageControl1->setCurrentWidget(form->tabAt(view + 1));
        form->sPageControl1Change();
        form->sListBox1->setCurrentRow(0);
    }
    std::vector<std::string> systemLines() const
    {
        std::vector<std::string> out;
        const WindowRegistry& r = form->registry();
        const TIRCMemo* v = r.viewAt(r.IndexOf(sys(), WindowRegistry::Kind::View));
        for (int i = 0; v && i < v->lineCount(); ++i)
            out.push_back(text::toUtf8(v->lineText(i)));
        return out;
    }
    std::vector<std::string> tabs() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < form->sPageControl1->count(); ++i)
            out.push_back(form->sPageControl1->tabText(i).toStdString());
        return out;
    }
    static FakeServer::Pump pump()
    {
        return [](int ms) { QTest::qWait(ms); };
    }

    Boxes boxes;
    ScopedPromptHooks hooks{boxes.hooks()};
};

TEST_F(OfflineCommandsTest, MenusAndToolBarInOrder)
{
    std::vector<std::string> main, nick;
    tree(form->MainMenu, "", main);
    tree(form->NickMenu, "", nick);
    // clang-format off
    EXPECT_EQ(main, (std::vector<std::string>{
        "Подключение", "  Подключиться", "  Отключиться",
        "Канал", "  Войти", "  Выйти", "  -", "  Режимы", "  -", "  Музыка", "    AIMP 2/3",
        "Управление", "  +o", "  -o", "  +h", "  -h", "  +v", "  -v", "  +b", "  Кикнуть", "  Игнор лист",
        "Настройки", "  Настройки", "  Внешний вид", "  -", "  Алиасы",
        "Справка", "  Справка", "  О программе",
        "Выход"}));
    // No "actions.txt" in the current directory: the actions submenu is gone.
    EXPECT_EQ(nick, (std::vector<std::string>{
        "Информация", "-",
        "Управление", "  (+q)Owner", "  (-q)DeOwner", "  (+a)Protect", "  (-a)DeProtect", "  -",
                      "  (+o)Operator", "  (-o)DeOperator", "  (+h)Halfop", "  (-h)DeHalfop", "  (+v)Voice", "  (-v)DeVoice",
        "-",
        "Кикнуть", "  Кикнуть", "  Кикнуть по причине",
        "Бан", "  По нику", "  По IP", "  По маске",
        "В игнор"}));
    // clang-format on
    std::vector<std::string> hints;
    for (const QToolButton* b : {form->ToolButton1, form->ToolButton2, form->ToolButton3, form->ToolButton4,
                                 form->ToolButton5, form->ToolButton6})
        hints.push_back(b->toolTip().toStdString());
    EXPECT_EQ(hints, (std::vector<std::string>{"Подключится к серверу", "Отключится от сервера", "Войти...",
                                               "Выход с текущего канала", "Настройки канала", "Выйти из программы"}));
}

// Each main-menu item of a dialog opens that dialog, and only it.
TEST_F(OfflineCommandsTest, MenuItemsOpenTheirDialogs)
{
    CountingDialog settings, appearance, about, ignore, aliases;
    form->Form3 = &settings;
    form->Form5 = &appearance;
    form->Form6 = &about;
    form->Form8 = &ignore;
    form->Form10 = &aliases;
    const struct
    {
        std::vector<std::string> path;
        CountingDialog* dialog;
    } items[] = {
        {{"Настройки", "Настройки"}, &settings}, {{"Настройки", "Внешний вид"}, &appearance},
        {{"Настройки", "Алиасы"}, &aliases},     {{"Справка", "О программе"}, &about},
        {{"Управление", "Игнор лист"}, &ignore},
    };
    int total = 0;
    for (const auto& item : items) {
        SCOPED_TRACE(item.path.back());
        QAction* a = itemAt(form->MainMenu, item.path);
        ASSERT_NE(a, nullptr);
        a->trigger();
        ++total;
        EXPECT_EQ(item.dialog->opened, 1);
        EXPECT_EQ(settings.opened + appearance.opened + about.opened + ignore.opened + aliases.opened, total);
    }
    form->Form3 = form->Form5 = form->Form6 = form->Form8 = form->Form10 = nullptr;
}

// "Справка" asks the system to open the help file beside the executable (which one when: IgnoreAndHelpTest).
TEST_F(OfflineCommandsTest, HelpOpensTheHelpFileBesideTheExecutable)
{
    writeFile(QDir(exeDir).filePath(QStringLiteral("Help.chm")), "ITSF");
    std::vector<QString> opened;
    form->openDocument = [&](const QString& file) {
        opened.push_back(file);
        return true;
    };
    itemAt(form->MainMenu, {"Справка", "Справка"})->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), QDir(exeDir).filePath(QStringLiteral("Help.chm")));
}

// The direct writes fail with the engine's "Not Connected", shown in an error box; the engine road sends
// nothing and says nothing.
TEST_F(OfflineCommandsTest, DirectWritesWithoutAConnectionShowTheError)
{
    channelInView();
    for (const ItemCase& c : kItems) {
        SCOPED_TRACE(c.name);
        boxes.errors.clear();
        QAction* a = itemAt(menuOf(*form, c.menu), c.path);
        ASSERT_NE(a, nullptr);
        a->trigger();
        EXPECT_EQ(boxes.errors,
                  c.road == Road::Direct ? std::vector<std::string>{"Not Connected"} : std::vector<std::string>{});
    }
}

TEST_F(OfflineCommandsTest, JoinWithoutAConnectionSaysSoAndOpensNoWindow)
{
    boxes.answer = "chan";
    form->ToolButton3->click();
    EXPECT_EQ(tabs(), std::vector<std::string>{kSystem});
    EXPECT_EQ(systemLines(), std::vector<std::string>{"Вы не подключены к серверу"});
}

TEST_F(OfflineCommandsTest, ConnectOpensTheSystemWindowFirstAndRegisters)
{
    FakeServer server;
    TForm1::ConnectionSettings c;
    c.host = "127.0.0.1";
    c.port = server.port();
    c.nick = "me";
    c.realName = "Real Name";
    c.ident = "ident";
    form->setConnectionSettings(c);
    form->ToolButton1->click();
    ASSERT_TRUE(server.waitFor(" :Real Name\r\n", pump()));
    EXPECT_EQ(server.received().substr(0, 9), "NICK me\r\n");
    EXPECT_EQ(tabs(), std::vector<std::string>{kSystem});
    const auto lines = systemLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find("-> NICK me"), std::string::npos) << lines.front();

    // Connected already: a second click does nothing.
    form->ToolButton1->click();
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(OfflineCommandsTest, RefusedConnectSaysSoInTheSystemWindow)
{
    TForm1::ConnectionSettings c;
    c.host = "127.0.0.1";
    c.port = freeLoopbackPort();
    form->setConnectionSettings(c);
    form->ToolButton1->click();
    EXPECT_FALSE(form->IdIRC1.Connected());
    EXPECT_EQ(systemLines(), std::vector<std::string>{"Ошибка подключения!"});
    EXPECT_TRUE(boxes.errors.empty());
}

// --- Actions menu.

class ActionsTest : public CommandsTest
{
protected:
    void beforeCreate() override
    {
        m_cwd = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(path("data")) || (QDir().mkpath(path("data")) && QDir::setCurrent(path("data"))));
        writeActions("hug:обнимает $ и $\r\n"
                     "say:говорит: $, привет\n"
                     "dup:первый $\r"
                     "dup:второй $\r\n"
                     "R&B:танцует с $\n");
    }
    void TearDown() override
    {
        CommandsTest::TearDown();
        QDir::setCurrent(m_cwd);
    }
    void writeActions(const char* utf8)
    {
        writeFile(QStringLiteral("actions.txt"), QByteArray::fromStdString(text::fromUtf8(utf8)));
    }

    // The action sent for a click on the index-th item, and the last line of the channel window.
    std::string click(int index)
    {
        const auto items = form->ActionsMenu->actions();
        EXPECT_LT(index, items.size());
        if (index >= items.size())
            return {};
        items[index]->trigger();
        return sentUntilMarker();
    }
    std::string lastLine(const char* window) const
    {
        const auto lines = shown(window);
        return lines.empty() ? std::string() : lines.back();
    }
    static std::string action(const char* utf8)
    {
        return text::fromUtf8(std::string("PRIVMSG #CHAN :\x01"
                                          "ACTION ") +
                              utf8 + "\x01\r\n");
    }

    QString m_cwd;
};

TEST_F(ActionsTest, OneItemPerLineCaptionedWithItsName)
{
    std::vector<std::string> captions;
    for (const QAction* a : form->ActionsMenu->actions())
        captions.push_back(a->text().toStdString());
    // A literal "&" is doubled so that the menu shows it instead of taking it for an accelerator mark.
    EXPECT_EQ(captions, (std::vector<std::string>{"hug", "say", "dup", "dup", "R&&B"}));
}

TEST_F(ActionsTest, ClickSendsTheTextWithTheNickAndEchoesIt)
{
    struct Case
    {
        const char* name;
        int item;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {"two dollars, prefix stripped", 0, "обнимает bob и bob"},
        {"colon in the text",            1, "говорит: bob, привет"},
        {"first of two alike",           2, "второй bob"},
        {"second of two alike",          3, "второй bob"},
        {"name with an ampersand",       4, "танцует с bob"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(click(c.item), action(c.text));
        EXPECT_EQ(lastLine("#CHAN"), std::string("<ts> me ") + c.text);
    }
    EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(ActionsTest, TextsAreReadAgainAtEveryClick)
{
    writeActions("other:машет $\nhug:обнимает $ крепко\n");
    EXPECT_EQ(click(0), action("обнимает bob крепко"));
    // A name no longer in the file takes the first line.
    EXPECT_EQ(click(1), action("машет bob"));
}

TEST_F(ActionsTest, UnreadableOrEmptyFileAtAClickShowsAnErrorAndSendsNothing)
{
    writeActions("");
    EXPECT_EQ(click(0), "");
    ASSERT_TRUE(QFile::remove(QStringLiteral("actions.txt")));
    EXPECT_EQ(click(0), "");
    EXPECT_EQ(boxes.errors.size(), 2u);
}

TEST_F(ActionsTest, FirstTabOrNoSelectionDoesNothing)
{
    activate(kSystem);
    form->sPageControl1Change();
    EXPECT_EQ(click(0), "");
    activate("#CHAN");
    form->sPageControl1Change();
    form->sListBox1->setCurrentRow(-1);
    EXPECT_EQ(click(0), "");
    EXPECT_TRUE(boxes.errors.empty());
}

// Without a connection nothing can go out; the window says so instead of echoing an action that was never sent.
TEST_F(ActionsTest, NotConnectedShowsSoInsteadOfTheEcho)
{
    form->IdIRC1.CloseConnection();
    ASSERT_TRUE(server.waitPeerClosed(pump()));
    form->ActionsMenu->actions().front()->trigger();
    EXPECT_EQ(lastLine("#CHAN"), "Вы не подключены к серверу");
}

// --- Now playing.

// A player record with the given artist and title.
std::vector<unsigned char> playerRecord(const std::u16string& artist, const std::u16string& title)
{
    std::vector<unsigned char> b(AimpRemoteInfo::kSize, 0);
    const std::u16string strings[] = {u"Альбом", artist, u"2001", u"C:\\a.mp3", u"Rock", title};
    std::size_t cursor = AimpRemoteInfo::kStringsOffset;
    for (int f = 0; f < AimpRemoteInfo::FieldCount; ++f) {
        const auto n = static_cast<std::uint32_t>(strings[f].size());
        for (int i = 0; i < 4; ++i)
            b[AimpRemoteInfo::kLengthsOffset + 4 * f + i] = static_cast<unsigned char>(n >> (8 * i));
        for (char16_t u : strings[f]) {
            b[cursor++] = static_cast<unsigned char>(u & 0xFF);
            b[cursor++] = static_cast<unsigned char>(u >> 8);
        }
    }
    return b;
}

class NowPlayingTest : public CommandsTest
{
protected:
    void beforeCreate() override
    {
        m_block = "MORVA_test_menu_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    void play(const std::u16string& artist, const std::u16string& title)
    {
        m_memory.close();
        ASSERT_TRUE(m_memory.create(m_block, AimpRemoteInfo::kSize));
        const auto r = playerRecord(artist, title);
        std::memcpy(m_memory.data(), r.data(), r.size());
        form->setNowPlayingBlock(m_block);
    }
    void aimp() { itemAt(form->MainMenu, {"Канал", "Музыка", "AIMP 2/3"})->trigger(); }

    std::string m_block;
    SharedMemory m_memory;
};

TEST_F(NowPlayingTest, AnnouncesTheTrackInTheWindowInView)
{
    struct Case
    {
        const char* name;
        std::u16string artist, title;
        const char* text; // null: nothing is sent or shown
    };
    const Case cases[] = {
        {"artist and title", u"Ария", u"Штиль", "слушает: Ария - Штиль"},
        {"no artist", u"", u"Штиль", "слушает: Штиль"},
        {"blanks around", u"", u"  Штиль \t", "слушает: Штиль"},
        {"nothing", u"", u"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.artist, c.title);
        const auto before = shown("#CHAN").size();
        aimp();
        if (c.text) {
            EXPECT_EQ(sentUntilMarker(), text::fromUtf8(std::string("PRIVMSG #CHAN :\x01"
                                                                    "ACTION ") +
                                                        c.text + "\x01\r\n"));
            ASSERT_EQ(shown("#CHAN").size(), before + 1);
            EXPECT_EQ(shown("#CHAN").back(), std::string("<ts> me ") + c.text);
        } else {
            EXPECT_EQ(sentUntilMarker(), "");
            EXPECT_EQ(shown("#CHAN").size(), before);
        }
    }
}

TEST_F(NowPlayingTest, NothingWithTheSystemWindowInViewOrWithoutAPlayer)
{
    activate(kSystem);
    play(u"Ария", u"Штиль");
    const auto before = shown(kSystem).size();
    aimp();
    EXPECT_EQ(sentUntilMarker(), "");
    EXPECT_EQ(shown(kSystem).size(), before);

    activate("#CHAN");
    m_memory.close();
    aimp();
    EXPECT_EQ(sentUntilMarker(), "");
}

TEST_F(NowPlayingTest, NotConnectedShowsSoInsteadOfTheEcho)
{
    play(u"Ария", u"Штиль");
    form->IdIRC1.CloseConnection();
    ASSERT_TRUE(server.waitPeerClosed(pump()));
    aimp();
    EXPECT_EQ(shown("#CHAN").back(), "Вы не подключены к серверу");
}

} // namespace
} // namespace morva::test
