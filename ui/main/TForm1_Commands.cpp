// The main window's commands: the toolbar, the main menu, the nick list box's menu, the actions menu and the
// now-playing announcement.
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/dialogs/Prompts.h"
#include "ui/main/EventText.h"
#include "ui/main/NickPrefix.h"
#include "ui/main/TForm1.h"
#include "util/NowPlaying.h"
#include "view/AppendLine.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace morva {
namespace {

using events::cat;
using events::kHead;
using events::words;

// The texts the commands show or send, in Windows-1251, built once.
struct CommandWords
{
    std::string connectFailed = text::fromUtf8("\x03"
                                               "4\x02Ошибка подключения!");
    std::string notConnected = text::fromUtf8("\x03"
                                              "4Вы не подключены к серверу");
    std::string joinCaption = text::fromUtf8("Войти...");
    std::string joinPrompt = text::fromUtf8("Введите имя канала");
    std::string kickCaption = text::fromUtf8("Введите причину");
    std::string kickPrompt = text::fromUtf8("Причина кика");
    std::string maskCaption = text::fromUtf8("Введите маску");
    std::string maskPrompt = text::fromUtf8("Введите маску");
    std::string listens = text::fromUtf8("слушает: ");
    std::string actionsUnreadable = text::fromUtf8("Не удалось прочитать файл actions.txt");
    std::string actionsEmpty = text::fromUtf8("Файл actions.txt пуст");
};
const CommandWords& commandWords()
{
    static const CommandWords w;
    return w;
}

const QString kActionsFile = QStringLiteral("actions.txt");

// The lines of "actions.txt" in the current directory, split at CR LF, CR or LF; nullopt when it cannot be read.
// A line end at the very end of the file starts no further line.
std::optional<std::vector<std::string>> readActions()
{
    QFile f(kActionsFile);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Blanks and control characters (every byte up to the blank) off both ends.
std::string trimmed(std::string_view s)
{
    auto low = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!s.empty() && low(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && low(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

// A menu caption shows "&" as the mark of a keyboard accelerator; a literal one is doubled.
QString menuCaption(const std::string& name)
{
    return text::toQString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void openModal(QDialog* dialog)
{
    if (dialog)
        dialog->exec();
}

} // namespace

void TForm1::runCommand(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
    } catch (...) {
        ShowError("Unknown error", this);
    }
}

void TForm1::buildMenus()
{
    auto item = [this](QMenu* menu, const QString& caption, std::function<void()> body) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this, [this, body = std::move(body)] { runCommand(body); });
        return a;
    };

    // What the mode, kick and ban items send; the main menu's "Управление" shares them with the nick menu.
    auto writeMode = [this](const char* mode) {
        return [this, mode] {
            onSelectedUser([this, mode](const std::string& channel, const std::string& nick) {
                IdIRC1.WriteLine("MODE " + channel + " " + mode + " " + nick);
            });
        };
    };
    auto kick = [this] {
        onSelectedUser([this](const std::string& channel, const std::string& nick) {
            IdIRC1.SendKick(channel, nick, IdIRC1.Nick());
        });
    };
    auto banByNick = writeMode("+b");

    MainMenu = new QMenu(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    QMenu* connection = MainMenu->addMenu(QStringLiteral("Подключение"));
    item(connection, QStringLiteral("Подключиться"), [this] { ToolButton1Click(); });
    item(connection, QStringLiteral("Отключиться"), [this] { ToolButton2Click(); });
    QMenu* channel = MainMenu->addMenu(QStringLiteral("Канал"));
    item(channel, QStringLiteral("Войти"), [this] { ToolButton3Click(); });
    item(channel, QStringLiteral("Выйти"), [this] { ToolButton4Click(); });
    channel->addSeparator();
    item(channel, QStringLiteral("Режимы"), [this] { ToolButton5Click(); });
    channel->addSeparator();
    QMenu* music = channel->addMenu(QStringLiteral("Музыка"));
    item(music, QStringLiteral("AIMP 2/3"), [this] { A1Click(); });
    QMenu* control = MainMenu->addMenu(QStringLiteral("Управление"));
    for (const char* mode : {"+o", "-o", "+h", "-h", "+v", "-v"})
        item(control, QString::fromLatin1(mode), writeMode(mode));
    item(control, QStringLiteral("+b"), banByNick);
    item(control, QStringLiteral("Кикнуть"), kick);
    item(control, QStringLiteral("Игнор лист"), [this] { openModal(Form8); });
    QMenu* settings = MainMenu->addMenu(QStringLiteral("Настройки"));
    item(settings, QStringLiteral("Настройки"), [this] { openModal(Form3); });
    item(settings, QStringLiteral("Внешний вид"), [this] { openModal(Form5); });
    settings->addSeparator();
    item(settings, QStringLiteral("Алиасы"), [this] { openModal(Form10); });
    QMenu* help = MainMenu->addMenu(QStringLiteral("Справка"));
    item(help, QStringLiteral("Справка"), [this] { OpenHelp(); });
    item(help, QStringLiteral("О программе"), [this] { openModal(Form6); });
    item(MainMenu, QStringLiteral("Выход"), [this] { ToolButton6Click(); });

    NickMenu = new QMenu(this);
    NickMenu->setObjectName(QStringLiteral("NickMenu"));
    // "whois" needs a selected entry only: it asks about a user, not about the channel in view.
    item(NickMenu, QStringLiteral("Информация"), [this] {
        std::string entry;
        if (selectedEntry(entry))
            IdIRC1.WriteLine("whois " + GetClearNick(entry));
    });
    ActionsMenu = NickMenu->addMenu(QStringLiteral("Действия"));
    NickMenu->addSeparator();
    QMenu* modes = NickMenu->addMenu(QStringLiteral("Управление"));
    item(modes, QStringLiteral("(+q)Owner"), writeMode("+q"));
    item(modes, QStringLiteral("(-q)DeOwner"), writeMode("-q"));
    // The one mode item that goes through the engine, and so the one whose line the system window shows.
    item(modes, QStringLiteral("(+a)Protect"), [this] {
        onSelectedUser(
            [this](const std::string& channel, const std::string& nick) { IdIRC1.SendMode(channel, "+a", nick); });
    });
    item(modes, QStringLiteral("(-a)DeProtect"), writeMode("-a"));
    modes->addSeparator();
    item(modes, QStringLiteral("(+o)Operator"), writeMode("+o"));
    item(modes, QStringLiteral("(-o)DeOperator"), writeMode("-o"));
    item(modes, QStringLiteral("(+h)Halfop"), writeMode("+h"));
    item(modes, QStringLiteral("(-h)DeHalfop"), writeMode("-h"));
    item(modes, QStringLiteral("(+v)Voice"), writeMode("+v"));
    item(modes, QStringLiteral("(-v)DeVoice"), writeMode("-v"));
    NickMenu->addSeparator();
    QMenu* kicks = NickMenu->addMenu(QStringLiteral("Кикнуть"));
    item(kicks, QStringLiteral("Кикнуть"), kick);
    item(kicks, QStringLiteral("Кикнуть по причине"), [this] {
        onSelectedUser([this](const std::string& channel, const std::string& nick) {
            const CommandWords& w = commandWords();
            // Cancel gives the default back, so it still kicks, with the own nick as the reason.
            IdIRC1.SendKick(channel, nick, InputBox(w.kickCaption, w.kickPrompt, IdIRC1.Nick(), this));
        });
    });
    QMenu* bans = NickMenu->addMenu(QStringLiteral("Бан"));
    item(bans, QStringLiteral("По нику"), banByNick);
    // The address bans need the engine's record of the user; a user it has seen only in a names reply has no
    // address, and then the ban covers the nick from any address.
    item(bans, QStringLiteral("По IP"), [this] {
        onSelectedUser([this](const std::string& channel, const std::string& nick) {
            const TIdIRCUser* u = IdIRC1.Users().FindUser(nick);
            const std::string mask = u && !u->Address().empty() ? "*!" + u->Address() : nick + "!*@*";
            IdIRC1.WriteLine("MODE " + channel + " +b " + mask);
        });
    });
    item(bans, QStringLiteral("По маске"), [this] {
        onSelectedUser([this](const std::string& channel, const std::string& nick) {
            const TIdIRCUser* u = IdIRC1.Users().FindUser(nick);
            const std::string proposed = u && !u->Address().empty() ? u->Nick() + "!" + u->Address() : nick + "!*@*";
            const CommandWords& w = commandWords();
            IdIRC1.WriteLine("MODE " + channel + " +b " + InputBox(w.maskCaption, w.maskPrompt, proposed, this));
        });
    });
    item(NickMenu, QStringLiteral("В игнор"), [this] { N32Click(); });
}

void TForm1::wireToolBar()
{
    const std::pair<QToolButton*, void (TForm1::*)(QObject*)> buttons[] = {
        {ToolButton1, &TForm1::ToolButton1Click}, {ToolButton2, &TForm1::ToolButton2Click},
        {ToolButton3, &TForm1::ToolButton3Click}, {ToolButton4, &TForm1::ToolButton4Click},
        {ToolButton5, &TForm1::ToolButton5Click}, {ToolButton6, &TForm1::ToolButton6Click},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QToolButton::clicked, this,
                [this, button, handler] { runCommand([&] { (this->*handler)(button); }); });
}

bool TForm1::firstTabInView() const
{
    return sPageControl1->currentIndex() <= 0;
}

bool TForm1::selectedEntry(std::string& entry) const
{
    const QListWidgetItem* it = sListBox1->currentItem();
    if (!it || !it->isSelected())
        return false;
    entry = text::fromQString(it->text());
    return true;
}

void TForm1::onSelectedUser(const std::function<void(const std::string& channel, const std::string& nick)>& body)
{
    std::string entry;
    if (firstTabInView() || !selectedEntry(entry))
        return;
    body(activeWindowName(), ClearName(entry));
}

// Connect: the system window first, so that the registration lines have a window to be echoed in.
void TForm1::ToolButton1Click(QObject* /*Sender*/)
{
    // The connect wait lets the UI run; a second click meanwhile must not start a second connect.
    if (m_connecting || IdIRC1.Connected())
        return;
    FindMemo(words().system);
    IdIRC1.Host = m_connection.host;
    IdIRC1.Port = m_connection.port;
    IdIRC1.SetNick(m_connection.nick);
    IdIRC1.RealName = m_connection.realName;
    IdIRC1.Username = m_connection.ident;
    m_connecting = true;
    try {
        IdIRC1.Connect();
    } catch (...) {
        m_connecting = false;
        showIn(words().system, commandWords().connectFailed);
        return;
    }
    m_connecting = false;
}

// Disconnect: every window but the system window is parted (private windows too) and closed, then the link is
// dropped without a QUIT.
void TForm1::ToolButton2Click(QObject* /*Sender*/)
{
    // Closing each window lets pending clicks run: a second click meanwhile would part the window being closed
    // once more.
    if (m_disconnecting || !IdIRC1.Connected())
        return;
    m_disconnecting = true;
    struct Reset
    {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_disconnecting};
    // The captions are taken first: DeleteTabs lets other work run, which may open windows of its own.
    std::vector<std::string> names;
    for (int i = 1; i < sPageControl1->count(); ++i)
        names.push_back(text::fromQString(sPageControl1->tabText(i)));
    for (const std::string& name : names) {
        IdIRC1.SendPart(name);
        DeleteTabs(name);
    }
    IdIRC1.CloseConnection();
}

void TForm1::ToolButton3Click(QObject* /*Sender*/)
{
    const CommandWords& w = commandWords();
    std::string name = InputBox(w.joinCaption, w.joinPrompt, std::string(), this);
    if (name.empty())
        return;
    if (name.front() != '#')
        name.insert(0, 1, '#');
    name = text::upper(name);
    if (!IdIRC1.Connected()) {
        showIn(words().system, w.notConnected);
        return;
    }
    FindMemo(name);
    IdIRC1.SendJoin(name);
}

// Leave: the window goes at once, without waiting for the server's answer.
void TForm1::ToolButton4Click(QObject* /*Sender*/)
{
    if (firstTabInView())
        return;
    const std::string name = activeWindowName();
    IdIRC1.SendPart(name);
    DeleteTabs(text::upper(name));
}

void TForm1::ToolButton5Click(QObject* /*Sender*/)
{
    if (IdIRC1.Connected() && !firstTabInView() && events::isChannel(activeWindowName()))
        openModal(Form4);
}

void TForm1::ToolButton6Click(QObject* /*Sender*/)
{
    close();
}

void TForm1::sendActionToActive(const std::string& text)
{
    const std::string target = activeWindowName();
    // Without a connection the engine would send nothing; an echo would claim the action went out.
    if (!IdIRC1.Connected()) {
        showIn(target, commandWords().notConnected);
        return;
    }
    IdIRC1.SendAction(target, text);
    showIn(target, cat({kHead, timeStamp(),
                        "\x03 \x03"
                        "13",
                        IdIRC1.Nick(), " ", text}));
}

void TForm1::A1Click(QObject* /*Sender*/)
{
    if (firstTabInView())
        return;
    const std::string now = trimmed(ReadNowPlaying(m_nowPlayingBlock));
    if (now.empty())
        return;
    sendActionToActive(commandWords().listens + now);
}

void TForm1::CreateSubMenu()
{
    const auto lines = readActions();
    if (!lines) {
        NickMenu->removeAction(ActionsMenu->menuAction());
        return;
    }
    for (const std::string& line : *lines) {
        const std::string name(events::beforeOrEmpty(line, ':'));
        QAction* a = ActionsMenu->addAction(menuCaption(name));
        // The name as written in the file: the caption may carry accelerator marks that are not part of it.
        a->setData(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
        connect(a, &QAction::triggered, this, [this, a] { runCommand([&] { NewMenuClick(a); }); });
    }
}

void TForm1::NewMenuClick(QAction* item)
{
    std::string entry;
    if (firstTabInView() || !selectedEntry(entry))
        return;
    const CommandWords& w = commandWords();
    const auto lines = readActions();
    if (!lines) {
        ShowError(w.actionsUnreadable, this);
        return;
    }
    if (lines->empty()) {
        ShowError(w.actionsEmpty, this);
        return;
    }
    const QByteArray wanted = item ? item->data().toByteArray() : QByteArray();
    const std::string name(wanted.constData(), static_cast<std::size_t>(wanted.size()));
    const std::string* chosen = &lines->front();
    for (const std::string& line : *lines)
        if (events::beforeOrEmpty(line, ':') == name)
            chosen = &line;
    const std::string nick = ClearName(entry);
    std::string text;
    for (char c : events::afterOrAll(*chosen, ':')) {
        if (c == '$')
            text += nick;
        else
            text += c;
    }
    sendActionToActive(text);
}

} // namespace morva
