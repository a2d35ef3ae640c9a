// TForm8: the ignore-list dialog.
#pragma once

#include "ui/dialogs/ListDialog.h"

class QListWidget;
class QPushButton;

namespace morva {

class IgnoreList;

// "Игнор Лист": a copy of the ignore list in a list box, with "Добавить", "Удалить" and "Править". The rows are
// edited in the box only; whenever the dialog closes, by whatever means, the ignore list becomes the box's rows.
// The ignore list belongs to the main window and outlives the dialog. UI thread only.
class TForm8 : public ListDialog
{
    Q_OBJECT

public:
    explicit TForm8(IgnoreList& ignore, QWidget* parent = nullptr);

    QListWidget* sListBox1 = nullptr;
    QPushButton* sButton1 = nullptr; // "Добавить"
    QPushButton* sButton2 = nullptr; // "Удалить"
    QPushButton* sButton3 = nullptr; // "Править"

    void FormShow();
    void FormClose();
    void sButton1Click(); // add
    void sButton2Click(); // delete the selected row
    void sButton3Click(); // edit the selected row

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    IgnoreList& m_ignore;
    bool m_open = false;
};

} // namespace morva
