// The rows of the channel list: channel, user count and topic, added in batches.
#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QTimer>

namespace morva {

// A read-only table of three text columns over Windows-1251 rows. A server answers a list request with tens of
// thousands of rows, one line (one event-loop pass) each, so a row is first queued and the queue reaches the view
// in one insertion at most every kFlushIntervalMs (or at flush): each insertion costs the view work over all its
// rows, and one per row would freeze it. UI thread only.
class ChannelListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Row
    {
        std::string channel;
        std::string users;
        std::string topic;
    };

    explicit ChannelListModel(QObject* parent = nullptr);

    static constexpr int kFlushIntervalMs = 100;

    // Queues one row; the view gets it at the next flush.
    void append(Row row);
    // Hands every queued row to the view.
    void flush();
    // Drops every row, queued or shown.
    void clear();
    // Rows shown plus rows queued.
    int totalRows() const { return static_cast<int>(m_rows.size() + m_queued.size()); }
    // A row shown, by its index.
    const Row& row(int i) const { return m_rows[static_cast<std::size_t>(i)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<Row> m_rows;
    std::vector<Row> m_queued;
    QTimer m_flush;
};

} // namespace morva
