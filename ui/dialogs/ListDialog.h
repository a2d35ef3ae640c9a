// The frame the ignore-list and alias dialogs share: a list box with a column of buttons in a fixed tool window.
#pragma once

#include <initializer_list>
#include <vector>

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace morva {

// A fixed-size tool window, centred on the screen each time it is shown, holding a list box (single selection)
// with a column of buttons at its right. Subclasses give the caption, the buttons and what they do. UI thread
// only; the widgets belong to the dialog.
class ListDialog : public QDialog
{
public:
    ListDialog(const QString& caption, QWidget* parent);

    // The row of the selected entry, or -1 when none is selected.
    int selectedRow() const;

protected:
    // Builds the layout: an optional label above the list box, and the buttons top-down in the order given.
    std::vector<QPushButton*> build(const QString& label, std::initializer_list<QString> buttons);
    void showEvent(QShowEvent* event) override;

    QListWidget* m_list = nullptr;
    QLabel* m_label = nullptr;
};

} // namespace morva
