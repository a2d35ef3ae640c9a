// TForm9: the channel list, filled by the server's answer to a list request; a double-click joins a channel.
#pragma once

#include <string>

#include <QWidget>

class QTreeView;

namespace morva {

class ChannelListModel;
class TIdIRC;

// A fixed-size tool window centred on the screen with one read-only list of channel, user count and topic. The
// main window clears it and shows it when a list starts and adds a row per listed channel, shown or not; the rows
// stay until the next list. It joins through the engine it is given, which must outlive it. UI thread only.
class TForm9 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm9(TIdIRC& irc, QWidget* parent = nullptr);

    QTreeView* sListView1;

    // One row: the channel, its user count as text and its topic (Windows-1251).
    void AddNewQ(const std::string& channel, const std::string& users, const std::string& topic);
    // Drops every row.
    void clearRows();
    // Joins the channel of the selected row; nothing without a selection.
    void sListView1DblClick();

    ChannelListModel& rows() const { return *m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TIdIRC& m_irc;
    ChannelListModel* m_model;
    bool m_placed = false;
};

} // namespace morva
