// The rows of the channel list.
#include "ui/dialogs/ChannelListModel.h"

#include "text/QtText.h"

#include <utility>

namespace morva {

ChannelListModel::ChannelListModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_flush.setSingleShot(true);
    m_flush.setInterval(kFlushIntervalMs);
    connect(&m_flush, &QTimer::timeout, this, &ChannelListModel::flush);
}

void ChannelListModel::append(Row row)
{
    m_queued.push_back(std::move(row));
    if (!m_flush.isActive())
        m_flush.start();
}

void ChannelListModel::flush()
{
    m_flush.stop();
    if (m_queued.empty())
        return;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(m_queued.size()) - 1);
    if (m_rows.empty()) {
        m_rows.swap(m_queued);
    } else {
        m_rows.insert(m_rows.end(), std::make_move_iterator(m_queued.begin()), std::make_move_iterator(m_queued.end()));
        m_queued.clear();
    }
    endInsertRows();
}

void ChannelListModel::clear()
{
    m_flush.stop();
    beginResetModel();
    m_rows.clear();
    m_queued.clear();
    endResetModel();
}

int ChannelListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ChannelListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant ChannelListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const Row& r = m_rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0: return text::toQString(r.channel);
    case 1: return text::toQString(r.users);
    case 2: return text::toQString(r.topic);
    default: return {};
    }
}

QVariant ChannelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0: return QStringLiteral("Канал");
    case 1: return QStringLiteral("Пользователи");
    case 2: return QStringLiteral("Тема");
    default: return {};
    }
}

Qt::ItemFlags ChannelListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

} // namespace morva
