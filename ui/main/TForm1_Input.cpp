// The input line: formatting keys, the colour picker key, and what a submitted line sends and shows.
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/main/EventText.h"
#include "ui/main/TForm1.h"
#include "view/AppendLine.h"

#include <functional>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace morva {

using events::cat;
using events::kHead;
using events::words;

namespace {

// Hands every key press of its widget to a handler and swallows the keys the handler used. Owned by the widget.
class KeyFilter : public QObject
{
public:
    using Handler = std::function<bool(QKeyEvent*)>;
    KeyFilter(Handler handler, QObject* parent) : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        return m_handler(static_cast<QKeyEvent*>(event));
    }

private:
    Handler m_handler;
};

// The own-message echo pieces around the nick.
constexpr std::string_view kMessageHead = " \x03"
                                          "14\x02<\x03"
                                          "9";
constexpr std::string_view kMessageEnd = "\x03"
                                         "14>\x02\x03"
                                         "1 ";
constexpr std::string_view kActionHead = "\x03 \x03"
                                         "13";

const std::string& notConnected()
{
    static const std::string s = "\x03"
                                 "4" +
                                 text::fromUtf8("Вы не подключены к серверу");
    return s;
}

const std::string& systemWindowHint()
{
    static const std::string s =
        text::fromUtf8("Сообщения пишутся в окне канала или привата; команды, начинающиеся с «/», работают и здесь");
    return s;
}

} // namespace

void TForm1::wireInputLine()
{
    // The keys used here are kept from the edit field, whose own Ctrl+K and Ctrl+U would delete text. A failure
    // inside (a write that fails) ends the handler in an error box, never in the event loop.
    sEdit1->installEventFilter(new KeyFilter(
        [this](QKeyEvent* key) {
            int code = key->key();
            runCommand([&] { sEdit1KeyDown(code, key->modifiers()); });
            return code == 0;
        },
        sEdit1));
}

void TForm1::sEdit1KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    const bool ctrl = Shift.testFlag(Qt::ControlModifier);
    const auto appendCode = [this](char code) {
        // setText leaves the caret at the end, after the code.
        sEdit1->setText(sEdit1->text() + QChar(static_cast<char16_t>(code)));
    };
    if (ctrl && Key == Qt::Key_K) {
        Key = 0;
        if (showColourPicker)
            showColourPicker();
    } else if (ctrl && Key == Qt::Key_B) {
        appendCode('\x02');
        Key = 0;
    } else if (ctrl && Key == Qt::Key_R) {
        appendCode('\x16');
        Key = 0;
    } else if (ctrl && Key == Qt::Key_U) {
        appendCode('\x1f');
        Key = 0;
    } else if (Key == Qt::Key_Up) {
        sEdit1->clear();
        Key = 0;
    } else if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        Key = 0;
        const std::string line = text::fromQString(sEdit1->text());
        if (line.empty())
            return;
        sEdit1->clear();
        submitLine(line);
    }
}

void TForm1::submitLine(const std::string& line)
{
    const std::string active = activeWindowName();
    // The engine sends nothing while not connected; the window in view then says so instead of showing a
    // message that never left. Typing into nothing (no window yet) shows nothing and creates no window. The time
    // stamp is taken after the send.
    const auto echo = [&](const std::string& window, bool action, const std::string& text, bool connected) {
        if (!connected)
            showIn(active, notConnected());
        else if (action)
            showIn(window, cat({kHead, timeStamp(), kActionHead, IdIRC1.Nick(), " ", text}));
        else
            showIn(window, cat({kHead, timeStamp(), kMessageHead, IdIRC1.Nick(), kMessageEnd, text}));
    };

    if (line.front() != '/') {
        if (active.empty())
            return;
        // The system window has no one to talk to: a message there would go to a user named after it.
        if (text::sameText(active, words().system)) {
            showIn(active, cat({kHead, timeStamp(), events::kPlain, systemWindowHint()}));
            return;
        }
        const bool connected = IdIRC1.Connected();
        IdIRC1.SendPrivmsg(active, line);
        echo(active, false, line, connected);
        return;
    }

    const std::string command = line.substr(1);
    const std::size_t blank = command.find(' ');
    const std::string word = text::lower(command.substr(0, blank));
    // Everything after the first blank, untrimmed; a command without a blank is its own argument text.
    const std::string args = blank == std::string::npos ? command : command.substr(blank + 1);

    if (word == "part") {
        IdIRC1.SendPart(args);
        DeleteTabs(text::upper(args));
    } else if (word == "msg") {
        const std::size_t split = args.find(' ');
        // Without a text, or without a target (a second blank right after "msg"), there is nothing to send: a
        // "PRIVMSG" without its target would only earn an error reply, and its echo would have no window.
        if (split == std::string::npos || split == 0)
            return;
        const std::string target = args.substr(0, split);
        const bool connected = IdIRC1.Connected();
        IdIRC1.SendPrivmsg(target, args.substr(split + 1));
        echo(text::upper(target), false, args.substr(split + 1), connected);
    } else if (word == "me") {
        if (active.empty())
            return;
        const bool connected = IdIRC1.Connected();
        IdIRC1.SendAction(active, args);
        echo(active, true, args, connected);
    } else if (m_aliases.IsAlias(word)) {
        IdIRC1.SendRaw(AliasList::ExpandAlias(m_aliases.GetAliasBody(word), command));
    } else {
        IdIRC1.SendRaw(command);
    }
}

} // namespace morva
