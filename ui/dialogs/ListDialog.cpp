// The shared list-with-buttons tool window.
#include "ui/dialogs/ListDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace morva {

ListDialog::ListDialog(const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setWindowTitle(caption);
}

std::vector<QPushButton*> ListDialog::build(const QString& label, std::initializer_list<QString> buttons)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 10);
    outer->setSpacing(6);
    if (!label.isEmpty()) {
        m_label = new QLabel(label, this);
        outer->addWidget(m_label);
    }
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(260, 220);
    row->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    std::vector<QPushButton*> made;
    for (const QString& caption : buttons) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        column->addWidget(b);
        made.push_back(b);
    }
    column->addStretch(1);
    row->addLayout(column);
    outer->addLayout(row, 1);
    setFixedSize(sizeHint());
    return made;
}

int ListDialog::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.front());
}

void ListDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

} // namespace morva
