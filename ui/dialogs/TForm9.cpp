// The channel list window.
#include "ui/dialogs/TForm9.h"

#include "engine/TIdIRC.h"
#include "ui/dialogs/ChannelListModel.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace morva {
namespace {

constexpr int kColumnWidths[] = {120, 100, 225};

} // namespace

TForm9::TForm9(TIdIRC& irc, QWidget* parent)
    : QWidget(parent, Qt::Tool), sListView1(new QTreeView(this)), m_irc(irc), m_model(new ChannelListModel(this))
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Список каналов"));

    sListView1->setObjectName(QStringLiteral("sListView1"));
    sListView1->setModel(m_model);
    sListView1->setRootIsDecorated(false);
    sListView1->setItemsExpandable(false);
    // Every row is one line of text: the view then never measures the rows, which keeps a long list cheap.
    sListView1->setUniformRowHeights(true);
    sListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    sListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    sListView1->setSortingEnabled(false);
    sListView1->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = sListView1->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(20);
    for (int c = 0; c < 3; ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, kColumnWidths[c]);
    }
    connect(sListView1, &QAbstractItemView::doubleClicked, this, [this] { sListView1DblClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(sListView1);
    // The three columns, the list's frame and a vertical scroll bar, with no horizontal scrolling.
    const int width = kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + 2 * sListView1->frameWidth() +
                      sListView1->verticalScrollBar()->sizeHint().width() + 8;
    setFixedSize(width, 360);
}

void TForm9::AddNewQ(const std::string& channel, const std::string& users, const std::string& topic)
{
    m_model->append({channel, users, topic});
}

void TForm9::clearRows()
{
    m_model->clear();
}

void TForm9::sListView1DblClick()
{
    m_model->flush();
    const QModelIndexList selected = sListView1->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int row = selected.front().row();
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_irc.SendJoin(m_model->row(row).channel);
}

void TForm9::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Centred at its first showing; where the user moves it afterwards, it stays.
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

} // namespace morva
