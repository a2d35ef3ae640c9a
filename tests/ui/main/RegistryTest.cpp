// The window registry: creation on demand, lookups in any case, the suffix collision, deletion and the nick
// list box refresh.
#include "FormFixture.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "view/AppendLine.h"
#include "view/TIRCMemo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace morva::test {
namespace {

using Kind = WindowRegistry::Kind;

// "Система" and "#Канал" in Windows-1251.
const std::string kSystem = text::fromUtf8("Система");
const std::string kCyrChan = text::fromUtf8("#Канал");
const std::string kCyrChanUpper = text::fromUtf8("#КАНАЛ");

class RegistryTest : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        create();
    }

    // Every window is three adjacent entries (view N, tab N_Tabs, list N_List), each caption equal to N.
    void expectConsistent()
    {
        const WindowRegistry& r = form->registry();
        ASSERT_EQ(r.Count() % 3, 0);
        ASSERT_EQ(r.Count() / 3, form->sPageControl1->count());
        for (int i = 0; i < r.Count(); i += 3) {
            SCOPED_TRACE(r.nameAt(i));
            EXPECT_EQ(r.kindAt(i), Kind::View);
            EXPECT_EQ(r.kindAt(i + 1), Kind::Tab);
            EXPECT_EQ(r.kindAt(i + 2), Kind::List);
            EXPECT_EQ(r.nameAt(i + 1), r.nameAt(i) + "_Tabs");
            EXPECT_EQ(r.nameAt(i + 2), r.nameAt(i) + "_List");
            ASSERT_NE(r.viewAt(i), nullptr);
            ASSERT_NE(r.tabAt(i + 1), nullptr);
            EXPECT_NE(r.listAt(i + 2), nullptr);
            const int page = form->sPageControl1->indexOf(r.tabAt(i + 1));
            ASSERT_GE(page, 0);
            EXPECT_EQ(text::fromQString(form->sPageControl1->tabText(page)), r.nameAt(i));
            EXPECT_TRUE(r.tabAt(i + 1)->isAncestorOf(r.viewAt(i)));
        }
    }

    QStringList boxItems() const
    {
        QStringList out;
        for (int i = 0; i < form->sListBox1->count(); ++i)
            out << form->sListBox1->item(i)->text();
        return out;
    }
};

TEST_F(RegistryTest, StartsEmpty)
{
    EXPECT_EQ(form->registry().Count(), 0);
    EXPECT_EQ(form->sPageControl1->count(), 0);
    EXPECT_EQ(form->sListBox1->count(), 0);
    EXPECT_EQ(form->FindUserList("#chan"), -1);
    EXPECT_EQ(form->activeWindowName(), "");
}

TEST_F(RegistryTest, NewNameAddsThreeEntriesAndOneTab)
{
    form->chosenFont().font.setPointSize(17);
    const int i = form->FindMemo("#CHAN");
    EXPECT_EQ(i, 0);
    EXPECT_EQ(form->registry().Count(), 3);
    EXPECT_EQ(form->sPageControl1->count(), 1);
    TIRCMemo* view = form->memoAt(i);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->ReadOnly());
    EXPECT_EQ(view->lineCount(), 0);
    EXPECT_EQ(view->font().pointSize(), 17);
    EXPECT_EQ(form->FindUserList("#CHAN"), 2);
    EXPECT_NE(form->userListAt(2), nullptr);
    expectConsistent();
    // A later change of the chosen font does not reach an existing view.
    form->chosenFont().font.setPointSize(9);
    EXPECT_EQ(form->memoAt(form->FindMemo("#chan"))->font().pointSize(), 17);
}

TEST_F(RegistryTest, LookupIgnoresCaseLatinAndCyrillic)
{
    const int latin = form->FindMemo("#CHAN");
    const int cyr = form->FindMemo(kCyrChanUpper);
    EXPECT_EQ(form->FindMemo("#chan"), latin);
    EXPECT_EQ(form->FindMemo("#Chan"), latin);
    EXPECT_EQ(form->FindMemo(kCyrChan), cyr);
    EXPECT_EQ(form->FindUserList(text::lower(kCyrChanUpper)), cyr + 2);
    EXPECT_EQ(form->sPageControl1->count(), 2);
    // The caption keeps the case the window was created with.
    EXPECT_EQ(form->sPageControl1->tabText(1), QString::fromUtf8("#КАНАЛ"));
    expectConsistent();
}

TEST_F(RegistryTest, FindUserListNeverCreates)
{
    EXPECT_EQ(form->FindUserList("nobody"), -1);
    EXPECT_EQ(form->registry().Count(), 0);
    EXPECT_EQ(form->userListAt(-1), nullptr);
    EXPECT_EQ(form->memoAt(-1), nullptr);
}

// A private window named like another window's suffixed entries gets windows of its own, and each lookup hands
// out only the kind it asks for.
TEST_F(RegistryTest, SuffixedNamesDoNotCollide)
{
    const int bob = form->FindMemo("bob");
    const int bobList = form->FindMemo("bob_List");
    const int bobTabs = form->FindMemo("BOB_TABS");
    EXPECT_EQ(form->sPageControl1->count(), 3);
    EXPECT_NE(bobList, bob + 2);
    ASSERT_NE(form->memoAt(bobList), nullptr);
    ASSERT_NE(form->memoAt(bobTabs), nullptr);
    EXPECT_NE(form->memoAt(bobList), form->memoAt(bob));

    NickList* bobsNicks = form->userListAt(form->FindUserList("bob"));
    NickList* privateNicks = form->userListAt(form->FindUserList("bob_list"));
    ASSERT_NE(bobsNicks, nullptr);
    ASSERT_NE(privateNicks, nullptr);
    EXPECT_NE(bobsNicks, privateNicks);
    EXPECT_EQ(form->FindUserList("bob"), bob + 2);
    EXPECT_EQ(form->FindUserList("bob_List"), bobList + 2);
    // A window that was never created has no list, even though "x_List_List" is not asked for.
    EXPECT_EQ(form->FindUserList("bob_Tabs_List"), -1);

    EXPECT_TRUE(form->DeleteTabs("bob_list"));
    EXPECT_EQ(form->sPageControl1->count(), 2);
    EXPECT_EQ(form->userListAt(form->FindUserList("bob")), bobsNicks);
    EXPECT_NE(form->memoAt(form->FindMemo("bob")), nullptr);
    EXPECT_EQ(form->sPageControl1->count(), 2);
    expectConsistent();
}

TEST_F(RegistryTest, DeleteUnknownNameChangesNothing)
{
    form->FindMemo("#a");
    EXPECT_FALSE(form->DeleteTabs("#b"));
    // Only a text view name deletes: the suffixed names of an existing window are not windows.
    EXPECT_FALSE(form->DeleteTabs("#a_List"));
    EXPECT_FALSE(form->DeleteTabs("#a_Tabs"));
    EXPECT_EQ(form->registry().Count(), 3);
    EXPECT_EQ(form->sPageControl1->count(), 1);
}

TEST_F(RegistryTest, DeleteInTheMiddleKeepsLaterWindowsWorking)
{
    form->FindMemo("#A");
    form->FindMemo("#B");
    const int c = form->FindMemo("#C");
    TIRCMemo* cView = form->memoAt(c);
    form->AddNick("#C", "@carol");
    EXPECT_EQ(c, 6);

    EXPECT_TRUE(form->DeleteTabs("#b"));
    EXPECT_EQ(form->registry().Count(), 6);
    EXPECT_EQ(form->sPageControl1->count(), 2);
    EXPECT_EQ(form->FindMemo("#C"), 3);
    EXPECT_EQ(form->memoAt(3), cView);
    EXPECT_EQ(form->FindNickEntry("carol", "#c"), 0);
    AppendLine(form->memoAt(form->FindMemo("#c")), "hello");
    EXPECT_EQ(cView->lineText(0), "hello");
    expectConsistent();

    // The deleted name, asked for again, is a fresh window at the end.
    EXPECT_EQ(form->FindMemo("#B"), 6);
    EXPECT_EQ(form->userListAt(form->FindUserList("#B"))->Count(), 0);
    expectConsistent();
}

TEST_F(RegistryTest, FirstWindowBecomesActiveLaterOnesDoNotTakeTheFocus)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    form->sEdit1->setFocus();
    QApplication::processEvents();
    form->FindMemo(kSystem);
    EXPECT_EQ(form->sPageControl1->currentIndex(), 0);
    EXPECT_EQ(form->activeWindowName(), kSystem);
    form->FindMemo("#CHAN");
    form->FindMemo("anna");
    QApplication::processEvents();
    EXPECT_EQ(form->sPageControl1->currentIndex(), 0);
    EXPECT_EQ(form->activeWindowName(), kSystem);
    if (QApplication::focusWidget()) {
        EXPECT_EQ(QApplication::focusWidget(), form->sEdit1);
    }
}

TEST_F(RegistryTest, SwitchingTabsShowsTheWindowsNicksSorted)
{
    form->FindMemo(kSystem);
    form->FindMemo("#CHAN");
    form->FindMemo("anna");
    for (const char* e : {"zed", "@Bob", "alice", "+carl", "Dave"})
        form->AddNick("#chan", e);

    form->sPageControl1->setCurrentIndex(1);
    const QStringList shown = boxItems();
    ASSERT_EQ(shown.size(), 5);
    // Case-blind: "Dave" between "alice" and "zed" (a case-sensitive order puts it first).
    const auto at = [&](const char* e) { return shown.indexOf(QLatin1String(e)); };
    EXPECT_LT(at("alice"), at("Dave")) << shown.join(QLatin1Char(' ')).toStdString();
    EXPECT_LT(at("Dave"), at("zed")) << shown.join(QLatin1Char(' ')).toStdString();
    EXPECT_GE(at("@Bob"), 0);
    EXPECT_GE(at("+carl"), 0);
    // The nick list itself keeps its order.
    EXPECT_EQ((*form->userListAt(form->FindUserList("#CHAN")))[0], "zed");

    form->sPageControl1->setCurrentIndex(2);
    EXPECT_TRUE(boxItems().isEmpty());
    form->sPageControl1->setCurrentIndex(1);
    EXPECT_EQ(boxItems().size(), 5);
    form->sPageControl1->setCurrentIndex(0);
    EXPECT_TRUE(boxItems().isEmpty());
}

TEST_F(RegistryTest, Timer1RefreshesOnceHalfASecondAfterTheFirstStart)
{
    form->FindMemo("#CHAN");
    form->AddNick("#CHAN", "anna");
    EXPECT_TRUE(boxItems().isEmpty());
    QElapsedTimer clock;
    clock.start();
    form->startTimer1();
    QTest::qWait(200);
    form->startTimer1(); // already running: changes nothing
    EXPECT_TRUE(boxItems().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(boxItems().size(), 1, 2000);
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_LT(clock.elapsed(), 700) << "the second start must not push the refresh back";
    EXPECT_FALSE(form->Timer1.isActive());
}

// DeleteTabs lets other work run between its steps; a deletion of another window that runs there must not make
// it free the wrong objects.
TEST_F(RegistryTest, DeletionInTheMiddleOfADeletionKeepsTheListsParallel)
{
    form->FindMemo("#A");
    form->FindMemo("#B");
    form->FindMemo("#C");
    form->AddNick("#C", "carol");
    bool inner = false;
    QTimer::singleShot(0, form.get(), [&] { inner = form->DeleteTabs("#A"); });
    EXPECT_TRUE(form->DeleteTabs("#B"));
    EXPECT_TRUE(inner);
    ASSERT_EQ(form->registry().Count(), 3);
    EXPECT_EQ(form->registry().nameAt(0), "#C");
    EXPECT_EQ(form->FindNickEntry("carol", "#C"), 0);
    expectConsistent();
}

TEST_F(RegistryTest, NameLookedUpDuringItsDeletionComesBackFresh)
{
    form->FindMemo("#A");
    form->AddNick("#A", "anna");
    int during = -2;
    QTimer::singleShot(0, form.get(), [&] { during = form->FindMemo("#a"); });
    EXPECT_TRUE(form->DeleteTabs("#A"));
    EXPECT_GE(during, 0);
    ASSERT_EQ(form->registry().Count(), 3);
    EXPECT_EQ(form->userListAt(form->FindUserList("#A"))->Count(), 0);
    expectConsistent();
}

TEST_F(RegistryTest, NothingIsHandedOutAfterClose)
{
    form->FindMemo("#A");
    form->close();
    EXPECT_EQ(form->FindMemo("#A"), -1);
    EXPECT_EQ(form->FindMemo("#new"), -1);
    EXPECT_EQ(form->FindUserList("#A"), -1);
    EXPECT_FALSE(form->DeleteTabs("#A"));
    AppendLine(form->memoAt(form->FindMemo("#A")), "ignored");
}

} // namespace
} // namespace morva::test
