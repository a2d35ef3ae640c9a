// TForm10: the alias editor.
#pragma once

#include "ui/dialogs/ListDialog.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace morva {

class AliasList;

// "Редактор алиасов": the alias list row for row in a list box, with "Редактировать", "Добавить" and "Удалить".
// Every change goes to the list box and to the alias list at once; a line not of the form name "~" body is
// refused with a message. The alias list belongs to the main window and outlives the dialog. UI thread only.
class TForm10 : public ListDialog
{
    Q_OBJECT

public:
    explicit TForm10(AliasList& aliases, QWidget* parent = nullptr);

    QLabel* sLabel1 = nullptr; // "Алиасы"
    QListWidget* sListBox1 = nullptr;
    QPushButton* sButton1 = nullptr; // "Редактировать"
    QPushButton* sButton2 = nullptr; // "Добавить"
    QPushButton* sButton3 = nullptr; // "Удалить"

    void FillAliasesList();
    void sButton1Click(); // edit the selected row
    void sButton2Click(); // add
    void sButton3Click(); // delete the selected row

protected:
    void showEvent(QShowEvent* event) override;

private:
    AliasList& m_aliases;
};

} // namespace morva
