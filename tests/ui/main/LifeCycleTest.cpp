// Start and end of the main window: defaults, damaged stored values, the password, the list files, the start-up
// message and what closing writes.
#include "FormFixture.h"
#include "popup/TMSNPopUp.h"
#include "skin/SkinTitleBar.h"
#include "tests/support/FakeServer.h"
#include "text/Cp1251.h"
#include "ui/dialogs/SettingEncodings.h"

#include <cmath>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace morva::test {
namespace {

class LifeCycleTest : public FormFixture
{
protected:
    QString exeFile(const char* name) const { return QDir(exeDir).filePath(QLatin1String(name)); }
    QString dataFile(const char* name) const { return QDir(dataDir).filePath(QLatin1String(name)); }
};

TEST_F(LifeCycleTest, FirstStartTakesEveryDefault)
{
    create();
    const auto& c = form->connectionSettings();
    EXPECT_EQ(c.host, IndToServer(0));
    EXPECT_FALSE(c.host.empty());
    EXPECT_EQ(c.port, 6667);
    EXPECT_EQ(c.nick, "NewUser");
    EXPECT_EQ(c.realName, "MORVA USER");
    EXPECT_EQ(c.ident, "morva");
    EXPECT_EQ(c.autoJoin, "#Dawnhall");
    EXPECT_FALSE(c.autoConnect);
    EXPECT_FALSE(c.logs);
    EXPECT_EQ(form->IdIRC1.Password, "");
    EXPECT_EQ(skins->skinName(), QStringLiteral("MetroUI (internal)"));
    EXPECT_TRUE(skins->extendedBorders());
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(form->width(), std::max(600, static_cast<int>(std::lround(screen.width() / 1.2))));
    EXPECT_EQ(form->height(), std::max(460, static_cast<int>(std::lround(screen.height() / 1.2))));
    EXPECT_EQ(form->sPageControl1->count(), 0);
    EXPECT_TRUE(form->aliasList().empty());
    EXPECT_TRUE(form->ignoreList().empty());
    ASSERT_NE(form->popup(), nullptr);
    EXPECT_EQ(form->popup()->TimeOut, 2);
    EXPECT_EQ(form->chosenFont().font, QApplication::font(form.get()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(LifeCycleTest, StoredValuesAreUsed)
{
    setStored("Server", "3");
    setStored("Port", "7000");
    setStored("Nick", QString::fromUtf8("Вася"));
    setStored("RName", "Real");
    setStored("Id", "ident");
    setStored("AJoin", "#home");
    setStored("AutoConnect", "-1");
    setStored("Logs", "-1");
    setStored("psl", "40");
    setStored("pst", "30");
    setStored("psw", "700");
    setStored("psh", "500");
    create();
    const auto& c = form->connectionSettings();
    EXPECT_EQ(c.host, IndToServer(3));
    EXPECT_EQ(c.port, 7000);
    EXPECT_EQ(c.nick, text::fromUtf8("Вася"));
    EXPECT_EQ(c.realName, "Real");
    EXPECT_EQ(c.ident, "ident");
    EXPECT_EQ(c.autoJoin, "#home");
    EXPECT_TRUE(c.autoConnect);
    EXPECT_TRUE(c.logs);
    EXPECT_EQ(form->geometry().size(), QSize(700, 500));
    EXPECT_EQ(form->pos(), QPoint(40, 30));
    // Only the password goes into the engine at start.
    EXPECT_NE(form->IdIRC1.Host, IndToServer(3));
}

// One stored value the program would not write, and what the start makes of it.
struct BadValue
{
    const char* name;
    const char* key;
    QVariant stored;
    std::function<void(TForm1&, SkinManager&)> check;
};

void PrintTo(const BadValue& b, std::ostream* os)
{
    *os << b.name;
}

class BadValueTest : public FormFixture, public ::testing::WithParamInterface<BadValue>
{};

TEST_P(BadValueTest, StartGoesOn)
{
    setStored(GetParam().key, GetParam().stored);
    create();
    GetParam().check(*form, *skins);
}

const BadValue kBadValues[] = {
    {"ServerSevenGivesNoHost", "Server", "7",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().host, ""); }},
    {"ServerNegativeGivesNoHost", "Server", "-1",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().host, ""); }},
    {"ServerNotANumberGivesFirst", "Server", "abc",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().host, IndToServer(0)); }},
    {"ServerHugeGivesFirst", "Server", "99999999999999999999",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().host, IndToServer(0)); }},
    {"PortNotANumber", "Port", "66a7", [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().port, 6667); }},
    {"PortWithBlanks", "Port", " 7000 ", [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().port, 7000); }},
    {"NickAsBinary", "Nick", QByteArray("\x01\x02"),
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().nick, "NewUser"); }},
    {"NickWithComma", "Nick", "a, b", [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().nick, "a, b"); }},
    {"NickEmptyStaysEmpty", "Nick", "", [](TForm1& f, SkinManager&) { EXPECT_EQ(f.connectionSettings().nick, ""); }},
    {"SkOff", "sk", "0", [](TForm1&, SkinManager& s) { EXPECT_FALSE(s.extendedBorders()); }},
    {"SkOtherNumberOn", "sk", "5", [](TForm1&, SkinManager& s) { EXPECT_TRUE(s.extendedBorders()); }},
    {"SkWordFalse", "sk", "False", [](TForm1&, SkinManager& s) { EXPECT_FALSE(s.extendedBorders()); }},
    {"SkGarbageOn", "sk", "maybe", [](TForm1&, SkinManager& s) { EXPECT_TRUE(s.extendedBorders()); }},
    {"SkinUnknownGivesBuiltIn", "Skin", "NoSuchSkin",
     [](TForm1&, SkinManager& s) { EXPECT_EQ(s.skinName(), SkinManager::kBuiltInName); }},
    {"SkinEmptyGivesBuiltIn", "Skin", "",
     [](TForm1&, SkinManager& s) { EXPECT_EQ(s.skinName(), SkinManager::kBuiltInName); }},
    {"WidthNotANumber", "psw", "wide",
     [](TForm1& f, SkinManager&) {
         const int w = QGuiApplication::primaryScreen()->geometry().width();
         EXPECT_EQ(f.width(), std::max(600, static_cast<int>(std::lround(w / 1.2))));
     }},
    {"WidthTooSmall", "psw", "10", [](TForm1& f, SkinManager&) { EXPECT_EQ(f.width(), 600); }},
    {"PlaceOffEveryScreen", "psl", "-50000",
     [](TForm1& f, SkinManager&) {
         EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().intersects(f.frameGeometry()));
     }},
    {"FontGarbage", "font", "garbage|x|",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.chosenFont().font, QApplication::font(&f)); }},
    {"FontShort", "font", "0|-13|Arial",
     [](TForm1& f, SkinManager&) { EXPECT_EQ(f.chosenFont().font, QApplication::font(&f)); }},
    {"FontGood", "font", "0|-16|DejaVu Serif|0|96|12|ynnn",
     [](TForm1& f, SkinManager&) {
         EXPECT_EQ(f.chosenFont().font.family(), QStringLiteral("DejaVu Serif"));
         EXPECT_TRUE(f.chosenFont().font.bold());
         EXPECT_EQ(f.chosenFont().font.pointSize(), 12);
     }},
};

INSTANTIATE_TEST_SUITE_P(Values, BadValueTest, ::testing::ValuesIn(kBadValues),
                         [](const auto& info) { return std::string(info.param.name); });

// A host typed in the connection dialog is kept as "Host" with "Server" -1; a built-in index wins over it.
TEST_F(LifeCycleTest, TypedHostIsUsedOnlyWithoutABuiltInServer)
{
    struct Case
    {
        const char* server; // nullptr: missing
        const char* host;   // nullptr: missing
        std::string expected;
    };
    const Case cases[] = {
        {"-1", "irc.example.org", "irc.example.org"},
        {"9", "irc.example.org", "irc.example.org"},
        {"-1", "", ""},
        {"-1", nullptr, ""},
        {"2", "irc.example.org", IndToServer(2)},
        {nullptr, "irc.example.org", IndToServer(0)},
        {"x", "irc.example.org", IndToServer(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.server ? c.server : "<missing>") + " / " + (c.host ? c.host : "<missing>"));
        QSettings s = store();
        s.clear();
        if (c.server)
            s.setValue(QStringLiteral("Server"), QLatin1String(c.server));
        if (c.host)
            s.setValue(QStringLiteral("Host"), QLatin1String(c.host));
        s.sync();
        create();
        EXPECT_EQ(form->connectionSettings().host, c.expected);
        form->close();
        form.reset();
    }
}

TEST_F(LifeCycleTest, PasswordIsReadOnlyWithAnIdent)
{
    // The key byte scrambles to a zero, and 0x01 is the store's escape.
    const std::string secret("s\xb6\x01\x00x", 5);
    setStored("ps", encodeStoredPassword(secret));
    setStored("Id", "");
    create();
    EXPECT_EQ(form->IdIRC1.Password, "");
    form->close();
    form.reset();

    setStored("Id", "someone");
    create();
    EXPECT_EQ(form->IdIRC1.Password, secret);
}

TEST_F(LifeCycleTest, ListFilesAreReadWithEveryLineEnd)
{
    writeFile(exeFile("Aliases.txt"), "j~JOIN $\r\n~bad\r\nbad~\nok~PRIVMSG #a :$\rlast~x");
    writeFile(exeFile("ign.txt"), "a!*@*\r\n\r\n\xc2\xe0\xf1\xff!*\n");
    create();
    EXPECT_EQ(form->aliasList(), (std::vector<std::string>{"j~JOIN $", "ok~PRIVMSG #a :$", "last~x"}));
    EXPECT_EQ(form->ignoreList(), (std::vector<std::string>{"a!*@*", "", "\xc2\xe0\xf1\xff!*"}));
    form->close();
    // The invalid aliases are gone from the file; every line ends with CR LF.
    EXPECT_EQ(readFile(exeFile("Aliases.txt")), QByteArray("j~JOIN $\r\nok~PRIVMSG #a :$\r\nlast~x\r\n"));
    EXPECT_EQ(readFile(exeFile("ign.txt")), QByteArray("a!*@*\r\n\r\n\xc2\xe0\xf1\xff!*\r\n"));
}

TEST_F(LifeCycleTest, CloseWritesGeometryFontAndBothFilesEvenWhenNothingChanged)
{
    create();
    form->move(12, 34);
    form->resize(640, 480);
    form->close();
    EXPECT_EQ(readFile(exeFile("Aliases.txt")), QByteArray(""));
    EXPECT_EQ(readFile(exeFile("ign.txt")), QByteArray(""));
    QSettings s = store();
    EXPECT_EQ(s.value("psl").toString(), QStringLiteral("12"));
    EXPECT_EQ(s.value("pst").toString(), QStringLiteral("34"));
    EXPECT_EQ(s.value("psw").toString(), QStringLiteral("640"));
    EXPECT_EQ(s.value("psh").toString(), QStringLiteral("480"));
    const QString font = s.value("font").toString();
    EXPECT_TRUE(font.endsWith(QStringLiteral("|nnnn"))) << font.toStdString();
    EXPECT_EQ(s.value("psl").typeId(), QMetaType::QString);
    EXPECT_EQ(QDir(exeDir).entryList(QDir::Files).size(), 2) << "no temporary file is left behind";
    EXPECT_TRUE(messages.empty());

    // What was written comes back at the next start.
    form.reset();
    create();
    EXPECT_EQ(form->pos(), QPoint(12, 34));
    EXPECT_EQ(form->size(), QSize(640, 480));
}

TEST_F(LifeCycleTest, FontChosenAtRunTimeSurvivesARestart)
{
    create();
    form->chosenFont().font = QFont(QStringLiteral("DejaVu Sans Mono"), 13);
    form->chosenFont().font.setItalic(true);
    form->close();
    form.reset();
    create();
    EXPECT_EQ(form->chosenFont().font.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(form->chosenFont().font.pointSize(), 13);
    EXPECT_TRUE(form->chosenFont().font.italic());
    EXPECT_FALSE(form->chosenFont().font.bold());
}

TEST_F(LifeCycleTest, UnwritableExecutableFolderLosesNothing)
{
    // A regular file where the folder should be: nothing can be created inside it, whoever runs the test.
    writeFile(path("blocked"), "x");
    exeDir = QDir(path("blocked")).filePath(QStringLiteral("app"));
    create();
    form->aliasList().push_back("j~JOIN $");
    form->ignoreList().push_back("bad!*@*");
    form->close();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(readFile(dataFile("Aliases.txt")), QByteArray("j~JOIN $\r\n"));
    EXPECT_EQ(readFile(dataFile("ign.txt")), QByteArray("bad!*@*\r\n"));
    form.reset();

    create();
    EXPECT_EQ(form->aliasList(), std::vector<std::string>{"j~JOIN $"});
    EXPECT_EQ(form->ignoreList(), std::vector<std::string>{"bad!*@*"});
    form->close();
    form.reset();

    // Once the executable's folder can be written again, it takes the files and the data folder's copy goes.
    exeDir = path("exe");
    create();
    EXPECT_EQ(form->ignoreList(), std::vector<std::string>{"bad!*@*"});
    form->close();
    EXPECT_EQ(readFile(exeFile("ign.txt")), QByteArray("bad!*@*\r\n"));
    EXPECT_FALSE(QFile::exists(dataFile("ign.txt")));
}

TEST_F(LifeCycleTest, NoFolderAtAllIsReported)
{
    writeFile(path("blocked"), "x");
    exeDir = QDir(path("blocked")).filePath(QStringLiteral("app"));
    dataDir = QDir(path("blocked")).filePath(QStringLiteral("data"));
    create();
    form->close();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].warning);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("ign.txt"))) << messages[0].text.toStdString();
}

TEST_F(LifeCycleTest, CoolArgumentShowsTheMessageOnce)
{
    const QString text = QString::fromUtf8("ЫЫ:)\r\nВы нашли эту пасхалкутеперь вы самый кульный юзер MORVA-а");
    // clang-format off
    const std::pair<QStringList, bool> rows[] = {
        {{"/cool"}, true}, {{"/COOL", "x"}, true}, {{"/CoOl"}, true},
        {{}, false}, {{"/coolx"}, false}, {{"x", "/cool"}, false}, {{"cool"}, false},
    };
    // clang-format on
    for (const auto& [args, shown] : rows) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        messages.clear();
        create(args);
        EXPECT_TRUE(messages.empty()) << "not before the window is shown";
        form->show();
        // A change of the frame shows the window again; that is not a new FormShow.
        skins->setExtendedBorders(!skins->extendedBorders());
        form->hide();
        form->show();
        ASSERT_EQ(messages.size(), shown ? 1u : 0u);
        if (shown) {
            EXPECT_EQ(messages[0].text, text);
            EXPECT_FALSE(messages[0].warning);
        }
        form->close();
        form.reset();
    }
}

TEST_F(LifeCycleTest, ExtendedBordersSwitchTheFrameAndTheMenuButton)
{
    create();
    form->show();
    ASSERT_NE(form->titleBar(), nullptr);
    for (bool on : {false, true, false}) {
        SCOPED_TRACE(on);
        skins->setExtendedBorders(on);
        EXPECT_EQ(form->windowFlags().testFlag(Qt::FramelessWindowHint), on);
        EXPECT_EQ(form->titleBar()->isVisible(), on);
        EXPECT_EQ(form->toolBarMenuButton()->isVisible(), !on);
        EXPECT_TRUE(form->isVisible());
    }
    for (QToolButton* b : {form->titleBar()->menuButton(), form->toolBarMenuButton()}) {
        EXPECT_EQ(b->text(), QStringLiteral("MORVA"));
        EXPECT_EQ(b->menu(), form->MainMenu);
    }
    QStringList top;
    for (QAction* a : form->MainMenu->actions())
        top << a->text();
    EXPECT_EQ(top, (QStringList{"Подключение", "Канал", "Управление", "Настройки", "Справка", "Выход"}));
    const std::pair<QToolButton*, const char*> hints[] = {
        {form->ToolButton1, "Подключится к серверу"},
        {form->ToolButton2, "Отключится от сервера"},
        {form->ToolButton3, "Войти..."},
        {form->ToolButton4, "Выход с текущего канала"},
        {form->ToolButton5, "Настройки канала"},
        {form->ToolButton6, "Выйти из программы"},
    };
    for (const auto& [button, hint] : hints) {
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint));
        EXPECT_FALSE(button->icon().isNull()) << hint;
    }
    EXPECT_EQ(form->sListBox1->width(), 145);
    EXPECT_EQ(form->minimumSize(), QSize(600, 460));
}

TEST_F(LifeCycleTest, ExitButtonClosesOnce)
{
    create();
    form->show();
    form->ToolButton6->click();
    EXPECT_TRUE(form->closed());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(QFile::exists(exeFile("ign.txt")));
}

TEST_F(LifeCycleTest, CloseWhileConnectedDropsTheLinkWithoutQuit)
{
    FakeServer server;
    create();
    const auto pump = [](int ms) { QTest::qWait(ms); };
    form->IdIRC1.Host = "127.0.0.1";
    form->IdIRC1.Port = server.port();
    form->IdIRC1.Connect();
    ASSERT_TRUE(server.waitFor("USER ", pump));
    ASSERT_TRUE(form->IdIRC1.Connected());
    int sends = 0;
    form->IdIRC1.OnSend = [&](TIdIRC*, const std::string&) { ++sends; };
    // The echo of the registration lines opened the system window.
    const int tabs = form->sPageControl1->count();
    EXPECT_EQ(tabs, 1);
    form->close();
    EXPECT_TRUE(server.waitPeerClosed(pump));
    EXPECT_EQ(server.received().find("QUIT"), std::string::npos) << server.received();
    EXPECT_FALSE(form->IdIRC1.Connected());
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(form->sPageControl1->count(), tabs);
    // The engine's events no longer reach the closed window.
    EXPECT_FALSE(form->IdIRC1.OnSend);
    form->IdIRC1.InjectLine(":a!b@c PRIVMSG #x :hi");
    EXPECT_EQ(form->registry().Count(), 0);
}

} // namespace
} // namespace morva::test

namespace morva::test {
namespace {

// "AutoConnect": the connect command runs once the window is shown, to the typed host of the store.
class AutoConnectTest : public FormFixture
{
protected:
    void store(const char* autoConnect)
    {
        setStored("Server", QStringLiteral("-1"));
        setStored("Host", QStringLiteral("127.0.0.1"));
        setStored("Port", QString::number(server.port()));
        setStored("Nick", QStringLiteral("auto"));
        if (autoConnect) {
            setStored("AutoConnect", QString::fromLatin1(autoConnect));
        } else {
            QSettings s = FormFixture::store();
            s.remove(QStringLiteral("AutoConnect"));
        }
    }
    static FakeServer::Pump pump()
    {
        return [](int ms) { QTest::qWait(ms); };
    }
    int paintsBeforeNick(bool minimised, qint64& elapsedMs);
    FakeServer server;
};

TEST_F(AutoConnectTest, OnConnectsWhenTheWindowIsShown)
{
    store("-1");
    create();
    EXPECT_FALSE(server.waitClient(pump(), 200)) << "nothing before the window is shown";
    form->show();
    ASSERT_TRUE(server.waitClient(pump()));
    EXPECT_TRUE(server.waitFor("NICK auto\r\n", pump()));
    // The connect command opened the system window first.
    ASSERT_GE(form->sPageControl1->count(), 1);
    EXPECT_EQ(form->sPageControl1->tabText(0), QStringLiteral("Система"));
}

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->window() == m_window)
            ++count;
        return false;
    }

private:
    QWidget* m_window;
};

// Shows the window with auto-connect on and tells how many of its widgets had painted when the NICK line went out.
int AutoConnectTest::paintsBeforeNick(bool minimised, qint64& elapsedMs)
{
    PaintCounter paints(form.get());
    int atNick = -1;
    auto send = form->IdIRC1.OnSend;
    form->IdIRC1.OnSend = [&](TIdIRC* irc, const std::string& line) {
        if (line.rfind("NICK ", 0) == 0 && atNick < 0)
            atNick = paints.count;
        if (send)
            send(irc, line);
    };
    QElapsedTimer clock;
    clock.start();
    if (minimised)
        form->showMinimized();
    else
        form->show();
    const bool sent = server.waitFor("NICK auto\r\n", [](int ms) { QTest::qWait(ms); });
    elapsedMs = clock.elapsed();
    form->IdIRC1.OnSend = send;
    return sent ? atNick : -2;
}

TEST_F(AutoConnectTest, RegistrationWaitsForTheFirstPaint)
{
    store("-1");
    create();
    qint64 ms = 0;
    EXPECT_GT(paintsBeforeNick(false, ms), 0);
}

TEST_F(AutoConnectTest, MinimisedWindowDoesNotWaitForAPaint)
{
    store("-1");
    create();
    qint64 ms = 0;
    EXPECT_EQ(paintsBeforeNick(true, ms), 0);
    EXPECT_LT(ms, 250) << "the connect waited for a paint that a minimised window never gets";
}

TEST_F(AutoConnectTest, OffOrMissingLeavesTheWindowOffline)
{
    for (const char* value : {"0", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(value ? value : "missing");
        store(value);
        create();
        form->show();
        EXPECT_FALSE(server.waitClient(pump(), 300));
        EXPECT_EQ(form->sPageControl1->count(), 0);
        form->close();
        form.reset();
    }
}

} // namespace
} // namespace morva::test
