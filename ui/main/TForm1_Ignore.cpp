// "В игнор" in the nick menu: a mask proposed for the selected user goes onto the ignore list.
#include "engine/TIdIRCUser.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/dialogs/Prompts.h"
#include "ui/main/NickPrefix.h"
#include "ui/main/TForm1.h"

#include <QListWidget>

namespace morva {

void TForm1::N32Click(QObject* /*Sender*/)
{
    const QList<QListWidgetItem*> selected = sListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const std::string nick = GetClearNick(text::fromQString(selected.front()->text()));
    // Without a known address (no record, or one from a names reply only) nick "!" alone would match no sender
    // ever, since every message carries an address: any address of that nick is what is meant.
    std::string proposal = nick + "!*@*";
    if (const TIdIRCUser* user = IdIRC1.Users().FindUser(nick); user && !user->Address().empty())
        proposal = user->Nick() + "!" + user->Address();
    // The result goes on unchecked, Cancel's default included.
    m_ignore.Masks().push_back(
        InputBox(text::fromUtf8("Добавить в игнор"), text::fromUtf8("Введите маску"), proposal, this));
}

} // namespace morva
