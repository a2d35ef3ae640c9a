// The state file's picture of the nick list box: the places it gives are the rows a click can reach.
#include "app/StateFile.h"

#include "tests/ui/main/FormFixture.h"

#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

namespace morva::test {
namespace {

struct Place
{
    QString entry;
    QPoint global;
};

std::vector<Place> nickPlaces(const QString& picture)
{
    static const QRegularExpression re(QStringLiteral("^place nick:(.*) (-?\\d+) (-?\\d+)$"),
                                       QRegularExpression::MultilineOption);
    std::vector<Place> out;
    for (auto it = re.globalMatch(picture); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(1), QPoint(m.captured(2).toInt(), m.captured(3).toInt())});
    }
    return out;
}

class StateFileTest : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        create();
        form->resize(800, 600);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        box = form->sListBox1;
        state = std::make_unique<StateFile>(*form, path("state"));
    }
    void TearDown() override
    {
        state.reset();
        FormFixture::TearDown();
    }

    void fill(int n)
    {
        QStringList items;
        for (int i = 0; i < n; ++i)
            items << QStringLiteral("nick%1").arg(i, 5, 10, QLatin1Char('0'));
        box->addItems(items);
        QCoreApplication::processEvents();
    }

    // The rows whose rectangles meet the box's viewport, found the slow way.
    QStringList rowsInSight() const
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            if (box->viewport()->rect().intersects(box->visualItemRect(box->item(i))))
                out << box->item(i)->text();
        return out;
    }

    QListWidget* box = nullptr;
    std::unique_ptr<StateFile> state;
};

TEST_F(StateFileTest, NickPlacesAreTheRowsInSightAndHitThem)
{
    fill(3000);
    struct Case
    {
        const char* what;
        int topRow;
    };
    for (const Case c : {Case{"top", 0}, Case{"middle", 1500}, Case{"bottom", 2999}}) {
        SCOPED_TRACE(c.what);
        box->scrollToItem(box->item(c.topRow), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
        const std::vector<Place> places = nickPlaces(state->picture());
        const QStringList expected = rowsInSight();
        ASSERT_FALSE(expected.isEmpty());
        QStringList got;
        for (const Place& p : places) {
            got << p.entry;
            // A click at the given point lands on that very entry.
            const QModelIndex hit = box->indexAt(box->viewport()->mapFromGlobal(p.global));
            ASSERT_TRUE(hit.isValid()) << p.entry.toStdString();
            EXPECT_EQ(box->item(hit.row())->text(), p.entry);
        }
        EXPECT_EQ(got, expected);
        EXPECT_LT(got.size(), 100);
    }
}

TEST_F(StateFileTest, NoNickPlacesForAnEmptyOrHiddenBox)
{
    EXPECT_TRUE(nickPlaces(state->picture()).empty());
    fill(50);
    EXPECT_FALSE(nickPlaces(state->picture()).empty());
    box->hide();
    EXPECT_TRUE(nickPlaces(state->picture()).empty());
    // The list itself is still told, with every entry.
    EXPECT_TRUE(state->picture().contains(QStringLiteral("\tnick00049\n")));
}

} // namespace
} // namespace morva::test
