// The alias editor.
#include "ui/dialogs/TForm10.h"

#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/commands/AliasList.h"
#include "ui/dialogs/Prompts.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace morva {

TForm10::TForm10(AliasList& aliases, QWidget* parent)
    : ListDialog(QStringLiteral("Редактор алиасов"), parent), m_aliases(aliases)
{
    setObjectName(QStringLiteral("Form10"));
    const std::vector<QPushButton*> b =
        build(QStringLiteral("Алиасы"),
              {QStringLiteral("Редактировать"), QStringLiteral("Добавить"), QStringLiteral("Удалить")});
    sLabel1 = m_label;
    sListBox1 = m_list;
    sButton1 = b[0];
    sButton2 = b[1];
    sButton3 = b[2];
    connect(sButton1, &QPushButton::clicked, this, [this] { sButton1Click(); });
    connect(sButton2, &QPushButton::clicked, this, [this] { sButton2Click(); });
    connect(sButton3, &QPushButton::clicked, this, [this] { sButton3Click(); });
}

void TForm10::showEvent(QShowEvent* event)
{
    ListDialog::showEvent(event);
    if (!event->spontaneous())
        FillAliasesList();
}

void TForm10::FillAliasesList()
{
    sListBox1->clear();
    for (const std::string& line : m_aliases.Lines())
        sListBox1->addItem(text::toQString(line));
}

void TForm10::sButton1Click()
{
    const int row = selectedRow();
    std::vector<std::string>& lines = m_aliases.Lines();
    if (row < 0 || row >= static_cast<int>(lines.size()))
        return;
    const std::string edited = InputBox(text::fromUtf8("Редактирование"), text::fromUtf8("Введите новый алиас"),
                                        text::fromQString(sListBox1->item(row)->text()), this);
    if (!AliasList::IsValid(edited)) {
        ShowMessage(text::fromUtf8("Алиас не соответствует формату"), this);
        return;
    }
    // The prompt ran the event loop: the main window may have closed meanwhile and emptied the list.
    if (row >= static_cast<int>(lines.size()) || row >= sListBox1->count())
        return;
    lines[static_cast<std::size_t>(row)] = edited;
    sListBox1->item(row)->setText(text::toQString(edited));
}

void TForm10::sButton2Click()
{
    const std::string added =
        InputBox(text::fromUtf8("Ввод"), text::fromUtf8("Введите алиас"), text::fromUtf8("алиас~команда $"), this);
    if (!AliasList::IsValid(added)) {
        ShowMessage(text::fromUtf8("Алиас не соответствует указанному формату"), this);
        return;
    }
    m_aliases.Lines().push_back(added);
    sListBox1->addItem(text::toQString(added));
}

void TForm10::sButton3Click()
{
    const int row = selectedRow();
    std::vector<std::string>& lines = m_aliases.Lines();
    if (row < 0 || row >= static_cast<int>(lines.size()))
        return;
    lines.erase(lines.begin() + row);
    delete sListBox1->takeItem(row);
}

} // namespace morva
