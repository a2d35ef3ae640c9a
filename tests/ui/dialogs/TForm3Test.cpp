// The connection settings dialog: what it shows, what closing writes, the refused port and the typed host.
#include "ui/dialogs/TForm3.h"

#include "StoreFixture.h"
#include "text/Cp1251.h"
#include "ui/dialogs/SettingEncodings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace morva::test {
namespace {

class TForm3Test : public StoreFixture
{
protected:
    TForm3& open()
    {
        form = std::make_unique<TForm3>();
        form->show();
        return *form;
    }
    // Closes the dialog with its one button, as the user does.
    void save() { QTest::mouseClick(form->sButton1, Qt::LeftButton); }

    std::unique_ptr<TForm3> form;
};

const std::string kConfirmation = text::fromUtf8("Новые настройки вступят в действие\r\nпосле перезапуска программы!");

TEST_F(TForm3Test, NoStoreShowsTheDefaults)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(form->sComboBox1->currentIndex(), 0);
    EXPECT_EQ(form->sComboBox1->count(), kServerCount);
    EXPECT_EQ(text::fromQString(form->sComboBox1->currentText()), IndToServer(0));
    EXPECT_EQ(form->sEdit1->text(), QStringLiteral("6667"));
    EXPECT_EQ(form->sEdit2->text(), QStringLiteral("NewUser"));
    EXPECT_EQ(form->sEdit3->text(), QStringLiteral("MORVA User"));
    EXPECT_EQ(form->sEdit4->text(), QStringLiteral("morva"));
    EXPECT_EQ(form->sEdit5->text(), QStringLiteral("#Dawnhall"));
    EXPECT_FALSE(form->sEdit5->isEnabled());
    EXPECT_EQ(form->sEdit6->text(), QString());
    EXPECT_EQ(form->sEdit6->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(form->sCheckBox1->isChecked());
    EXPECT_FALSE(form->sCheckBox2->isChecked());
    EXPECT_EQ(form->sCheckBox1->text(), QStringLiteral("Подключаться при запуске"));
    EXPECT_EQ(form->sCheckBox2->text(), QStringLiteral("Вести журнал"));
    EXPECT_EQ(form->sButton1->text(), QStringLiteral("Сохранить"));
    EXPECT_EQ(form->sComboBox1->lineEdit()->placeholderText(), QStringLiteral("Выберите сервер"));
    // Showing reads; it writes nothing.
    EXPECT_TRUE(storedKeys().isEmpty());
}

TEST_F(TForm3Test, EveryFieldSurvivesSaveAndReopen)
{
    // The key byte scrambles to a zero and 0x01 is the store's escape: both must come back.
    const std::string password("p\xb6\x01\xE9", 4);
    open();
    form->sComboBox1->setCurrentIndex(3);
    form->sEdit1->setText(QStringLiteral(" 7000 "));
    form->sEdit2->setText(QStringLiteral("Вася"));
    form->sEdit3->setText(QStringLiteral("Василий Пупкин"));
    form->sEdit4->setText(QStringLiteral("vasya"));
    form->sEdit6->setText(text::toQString(password));
    form->sCheckBox1->setChecked(true);
    form->sCheckBox2->setChecked(true);
    save();

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored("Server"), QStringLiteral("3"));
    EXPECT_EQ(stored("Host"), QStringLiteral("<none>"));
    EXPECT_EQ(stored("Port"), QStringLiteral("7000"));
    EXPECT_EQ(stored("Nick"), QStringLiteral("Вася"));
    EXPECT_EQ(stored("RName"), QStringLiteral("Василий Пупкин"));
    EXPECT_EQ(stored("Id"), QStringLiteral("vasya"));
    EXPECT_EQ(stored("AJoin"), QStringLiteral("#Dawnhall"));
    EXPECT_EQ(stored("ps"), encodeStoredPassword(password));
    EXPECT_NE(stored("ps"), text::toQString(password));
    EXPECT_EQ(stored("AutoConnect"), QStringLiteral("-1"));
    EXPECT_EQ(stored("Logs"), QStringLiteral("-1"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kConfirmation);
    EXPECT_FALSE(boxes[0].error);

    open();
    EXPECT_EQ(form->sComboBox1->currentIndex(), 3);
    EXPECT_EQ(form->sEdit1->text(), QStringLiteral("7000"));
    EXPECT_EQ(form->sEdit2->text(), QStringLiteral("Вася"));
    EXPECT_EQ(form->sEdit3->text(), QStringLiteral("Василий Пупкин"));
    EXPECT_EQ(form->sEdit4->text(), QStringLiteral("vasya"));
    EXPECT_EQ(text::fromQString(form->sEdit6->text()), password);
    EXPECT_TRUE(form->sCheckBox1->isChecked());
    EXPECT_TRUE(form->sCheckBox2->isChecked());

    // Switched off again, they are stored as "0".
    form->sCheckBox1->setChecked(false);
    form->sCheckBox2->setChecked(false);
    form->close();
    EXPECT_EQ(stored("AutoConnect"), QStringLiteral("0"));
    EXPECT_EQ(stored("Logs"), QStringLiteral("0"));
}

TEST_F(TForm3Test, ClosingByTheWindowSavesToo)
{
    open();
    form->sEdit2->setText(QStringLiteral("closer"));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored("Nick"), QStringLiteral("closer"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kConfirmation);
}

TEST_F(TForm3Test, APortThatIsNotAWholeNumberStoresNothing)
{
    const char* const ports[] = {"66a7", "", "66.7", "99999999999999999999", "0x1A0B"};
    setStored("Nick", "before");
    for (const char* port : ports) {
        SCOPED_TRACE(port);
        boxes.clear();
        open();
        form->sComboBox1->setCurrentIndex(2);
        form->sEdit1->setText(QLatin1String(port));
        form->sEdit2->setText(QStringLiteral("after"));
        save();
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(storedKeys(), QStringList{QStringLiteral("Nick")});
        EXPECT_EQ(stored("Nick"), QStringLiteral("before"));
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_TRUE(boxes[0].error);
        EXPECT_NE(boxes[0].text.find(port), std::string::npos) << boxes[0].text;
        EXPECT_TRUE(boxes[1].error);

        // Mended, the same dialog saves.
        form->sEdit1->setText(QStringLiteral("6668"));
        save();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(stored("Port"), QStringLiteral("6668"));
        EXPECT_EQ(boxes.back().text, kConfirmation);
        QSettings s = store();
        s.clear();
        s.setValue(QStringLiteral("Nick"), QStringLiteral("before"));
    }
}

TEST_F(TForm3Test, ATypedHostIsStoredAsHostWithNoServer)
{
    open();
    form->sComboBox1->setEditText(QStringLiteral("  irc.example.org "));
    save();
    EXPECT_EQ(stored("Server"), QStringLiteral("-1"));
    EXPECT_EQ(stored("Host"), QStringLiteral("irc.example.org"));
    EXPECT_EQ(readStoredHost(store()), "irc.example.org");

    open();
    EXPECT_EQ(form->sComboBox1->currentIndex(), -1);
    EXPECT_EQ(form->sComboBox1->currentText(), QStringLiteral("irc.example.org"));

    // A built-in name typed in another case is that server, and the typed host goes.
    form->sComboBox1->setEditText(text::toQString(text::upper(IndToServer(5))));
    save();
    EXPECT_EQ(stored("Server"), QStringLiteral("5"));
    EXPECT_EQ(stored("Host"), QStringLiteral("<none>"));
    EXPECT_EQ(readStoredHost(store()), IndToServer(5));
}

TEST_F(TForm3Test, NoServerIsStoredAsMinusOne)
{
    open();
    form->sComboBox1->setCurrentIndex(-1);
    form->sComboBox1->setEditText(QString());
    save();
    EXPECT_EQ(stored("Server"), QStringLiteral("-1"));
    EXPECT_EQ(readStoredHost(store()), "");

    open();
    EXPECT_EQ(form->sComboBox1->currentIndex(), -1);
    EXPECT_EQ(form->sComboBox1->currentText(), QString());
}

TEST_F(TForm3Test, AStoredIndexOutsideTheListSelectsNothing)
{
    // Stored by the old rules, with no typed host.
    for (const char* server : {"7", "-1", "100"}) {
        SCOPED_TRACE(server);
        setStored("Server", server);
        open();
        EXPECT_EQ(form->sComboBox1->currentIndex(), -1);
        EXPECT_EQ(form->sComboBox1->currentText(), QString());
        EXPECT_EQ(readStoredHost(store()), "");
        form->close();
    }
}

TEST_F(TForm3Test, AnEmptyPasswordIsStoredEmpty)
{
    setStored("ps", encodeStoredPassword("secret"));
    open();
    EXPECT_EQ(form->sEdit6->text(), QStringLiteral("secret"));
    form->sEdit6->clear();
    save();
    EXPECT_EQ(stored("ps"), QString());
}

} // namespace
} // namespace morva::test
