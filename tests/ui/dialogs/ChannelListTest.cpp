// The channel list window: its columns, rows from the server's list replies, and the join by double-click.
#include "tests/ui/main/TrafficFixture.h"
#include "ui/dialogs/ChannelListModel.h"
#include "ui/dialogs/TForm9.h"

#include <memory>

#include <QHeaderView>
#include <QTreeView>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

class ChannelList : public TrafficFixture
{
protected:
    void beforeConnect() override
    {
        list = std::make_unique<TForm9>(form->IdIRC1);
        form->Form9 = list.get();
    }
    void TearDown() override
    {
        form->Form9 = nullptr;
        list.reset();
        TrafficFixture::TearDown();
    }
    // The rows as the view shows them, each "channel|users|topic".
    Strings rows() const
    {
        list->rows().flush();
        const QAbstractItemModel* m = list->sListView1->model();
        Strings out;
        for (int r = 0; r < m->rowCount(); ++r) {
            std::string row;
            for (int c = 0; c < 3; ++c)
                row += (c ? "|" : "") + m->index(r, c).data().toString().toStdString();
            out.push_back(row);
        }
        return out;
    }
    void listReply()
    {
        in(":srv 321 me Channel :Users  Name");
        in(":srv 322 me #Dawnhall 12 :Добро пожаловать");
        in(":srv 322 me #Канал 3 :Тема: вторая");
        in(":srv 322 me #empty 1 :");
        in(":srv 323 me :End of LIST");
    }
    void selectRow(int r)
    {
        list->sListView1->selectionModel()->select(list->rows().index(r, 0),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    std::unique_ptr<TForm9> list;
};

TEST_F(ChannelList, WindowAndColumns)
{
    EXPECT_EQ(list->windowTitle().toStdString(), "Список каналов");
    EXPECT_TRUE(list->windowFlags() & Qt::Tool);
    EXPECT_EQ(list->minimumSize(), list->maximumSize());
    const QHeaderView* header = list->sListView1->header();
    const Strings captions = {"Канал", "Пользователи", "Тема"};
    const int widths[] = {120, 100, 225};
    ASSERT_EQ(header->count(), 3);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(list->rows().headerData(c, Qt::Horizontal).toString().toStdString(), captions[c]);
        EXPECT_EQ(header->sectionSize(c), widths[c]);
        EXPECT_EQ(header->sectionResizeMode(c), QHeaderView::Fixed);
    }
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_EQ(list->sListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(list->sListView1->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(ChannelList, RowsFromTheListReply)
{
    listReply();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(rows(), (Strings{"#Dawnhall|12|Добро пожаловать", "#Канал|3|Тема: вторая", "#empty|1|"}));
    // Rows queued while the window is closed are there when it opens again.
    list->hide();
    in(":srv 322 me #late 2 :hidden");
    list->show();
    EXPECT_EQ(rows().back(), "#late|2|hidden");
}

TEST_F(ChannelList, DoubleClickJoinsTheSelectedChannel)
{
    listReply();
    rows();
    // Without a selection nothing is sent.
    list->sListView1DblClick();
    selectRow(1);
    list->sListView1DblClick();
    ASSERT_TRUE(server.waitFor("JOIN " + text::fromUtf8("#Канал") + "\r\n", pump()));
    EXPECT_EQ(server.received().find("JOIN #Dawnhall"), std::string::npos);
    // A real double-click on a row selects it and joins it.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    const QRect cell = list->sListView1->visualRect(list->rows().index(2, 0));
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(list->sListView1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->sListView1->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(server.waitFor("JOIN #empty\r\n", pump()));
    // No window is opened before the server confirms the join.
    EXPECT_EQ(tabs(), Strings{"Система"});
}

TEST_F(ChannelList, NewListClearsTheSelection)
{
    listReply();
    rows();
    selectRow(0);
    in(":srv 321 me Channel :Users  Name");
    list->sListView1DblClick();
    in(":srv 322 me #new 1 :x");
    rows();
    list->sListView1DblClick();
    // Only the sync line and the registration went out: neither double-click had a row to join.
    server.send("PING :sync\r\n");
    ASSERT_TRUE(server.waitFor("PONG :sync\r\n", pump()));
    EXPECT_EQ(server.received().find("JOIN"), std::string::npos);
}

} // namespace
} // namespace morva::test
