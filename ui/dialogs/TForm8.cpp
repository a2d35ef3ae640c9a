// The ignore-list dialog.
#include "ui/dialogs/TForm8.h"

#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/commands/IgnoreList.h"
#include "ui/dialogs/Prompts.h"

#include <QHideEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace morva {

TForm8::TForm8(IgnoreList& ignore, QWidget* parent) : ListDialog(QStringLiteral("Игнор Лист"), parent), m_ignore(ignore)
{
    setObjectName(QStringLiteral("Form8"));
    const std::vector<QPushButton*> b =
        build({}, {QStringLiteral("Добавить"), QStringLiteral("Удалить"), QStringLiteral("Править")});
    sListBox1 = m_list;
    sButton1 = b[0];
    sButton2 = b[1];
    sButton3 = b[2];
    connect(sButton1, &QPushButton::clicked, this, [this] { sButton1Click(); });
    connect(sButton2, &QPushButton::clicked, this, [this] { sButton2Click(); });
    connect(sButton3, &QPushButton::clicked, this, [this] { sButton3Click(); });
}

void TForm8::showEvent(QShowEvent* event)
{
    ListDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Every way out of the dialog (its buttons, Escape, the title bar's close button, hiding it) passes through
// here; a minimised window's hide is the window system's and closes nothing.
void TForm8::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        FormClose();
    ListDialog::hideEvent(event);
}

void TForm8::FormShow()
{
    m_open = true;
    sListBox1->clear();
    for (const std::string& mask : m_ignore.Masks())
        sListBox1->addItem(text::toQString(mask));
}

void TForm8::FormClose()
{
    if (!m_open)
        return;
    m_open = false;
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(sListBox1->count()));
    for (int i = 0; i < sListBox1->count(); ++i)
        rows.push_back(text::fromQString(sListBox1->item(i)->text()));
    m_ignore.Masks() = std::move(rows);
}

void TForm8::sButton1Click()
{
    const std::string mask =
        InputBox(text::fromUtf8("Добавить"), text::fromUtf8("Введите маску"), "Nick!ident@host", this);
    if (!mask.empty())
        sListBox1->addItem(text::toQString(mask));
}

void TForm8::sButton2Click()
{
    if (const int row = selectedRow(); row >= 0)
        delete sListBox1->takeItem(row);
}

void TForm8::sButton3Click()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QListWidgetItem* item = sListBox1->item(row);
    item->setText(text::toQString(
        InputBox(text::fromUtf8("Изменить"), text::fromUtf8("Введите маску"), text::fromQString(item->text()), this)));
}

} // namespace morva
