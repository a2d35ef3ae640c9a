// The appearance dialog: what showing selects, the preview and its undo, "Применить" and the font.
#include "ui/dialogs/TForm5.h"

#include "StoreFixture.h"
#include "skin/SkinManager.h"
#include "ui/dialogs/SettingEncodings.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace morva::test {
namespace {

class TForm5Test : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        const QString folder = QDir(dir()).filePath(QStringLiteral("Skins"));
        QDir().mkpath(folder);
        for (const char* name : {"Ocean.skin", "Amber.skin"}) {
            QFile f(QDir(folder).filePath(QLatin1String(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("[Colors]\nWindow=#eaf3fb\n");
        }
        skins = std::make_unique<SkinManager>(folder);
        font.font = QFont(QStringLiteral("Sans"), 10);
    }

    TForm5& open()
    {
        form = std::make_unique<TForm5>(*skins, font);
        form->setFontPicker([this](const QFont& initial, QWidget*) {
            pickerStartedFrom = initial;
            return pick;
        });
        form->show();
        return *form;
    }
    QString selectedSkin() const
    {
        const QListWidgetItem* item = form->sListBox1->currentItem();
        return item && item->isSelected() ? item->text() : QStringLiteral("<none>");
    }
    // Clicks the row of that name, as the user does.
    void clickSkin(const QString& name)
    {
        const auto items = form->sListBox1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        const QRect r = form->sListBox1->visualItemRect(items[0]);
        QTest::mouseClick(form->sListBox1->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<SkinManager> skins;
    ChosenFont font;
    std::unique_ptr<TForm5> form;
    std::optional<QFont> pick;
    QFont pickerStartedFrom;
};

TEST_F(TForm5Test, NothingStoredSelectsTheBuiltInSkinWithTheBoxChecked)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Внешний вид"));
    EXPECT_EQ(form->sCheckBox1->text(), QStringLiteral("Улучшеное качество"));
    EXPECT_EQ(form->sButton1->text(), QStringLiteral("Применить"));
    EXPECT_EQ(form->sButton2->text(), QStringLiteral("Шрифт"));
    EXPECT_EQ(form->sListBox1->count(), 3);
    EXPECT_EQ(selectedSkin(), SkinManager::kBuiltInName);
    EXPECT_TRUE(form->sCheckBox1->isChecked());
    EXPECT_TRUE(skins->extendedBorders());
    EXPECT_TRUE(storedKeys().isEmpty());
}

TEST_F(TForm5Test, StoredSkinIsSelectedIgnoringCase)
{
    setStored("Skin", "ocean");
    open();
    EXPECT_EQ(selectedSkin(), QStringLiteral("Ocean"));
}

TEST_F(TForm5Test, AStoredSkinThatIsGoneSelectsTheSkinInEffect)
{
    setStored("Skin", "Vanished");
    skins->setSkinName(QStringLiteral("Vanished"));
    open();
    EXPECT_EQ(selectedSkin(), SkinManager::kBuiltInName);
}

// What showing makes of "sk", starting from a box that the previous showing unchecked.
TEST_F(TForm5Test, ShowReadsSkAsAnInteger)
{
    struct Case
    {
        const char* sk; // nullptr: missing
        bool checked;
    };
    const Case cases[] = {
        {"0", false}, {"-1", true}, {nullptr, true}, {"abc", true}, {"True", true}, {"5", false}, {"", true},
    };
    setStored("Skin", "Amber");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sk ? c.sk : "<missing>");
        open();
        setStored("sk", "0");
        form->FormShow();
        ASSERT_FALSE(form->sCheckBox1->isChecked());
        if (c.sk)
            setStored("sk", c.sk);
        else
            store().remove(QStringLiteral("sk"));
        form->FormShow();
        EXPECT_EQ(form->sCheckBox1->isChecked(), c.checked);
        EXPECT_EQ(skins->extendedBorders(), c.checked);
        form->reject();
    }
}

TEST_F(TForm5Test, PreviewIsUndoneByClosingWithoutApply)
{
    setStored("Skin", "Amber");
    setStored("sk", "-1");
    skins->setSkinName(QStringLiteral("Amber"));
    open();
    clickSkin(QStringLiteral("Ocean"));
    EXPECT_EQ(skins->skinName(), QStringLiteral("Ocean"));
    QTest::mouseClick(form->sCheckBox1, Qt::LeftButton);
    EXPECT_FALSE(skins->extendedBorders());

    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(skins->skinName(), QStringLiteral("Amber"));
    EXPECT_TRUE(skins->extendedBorders());
    EXPECT_EQ(stored("Skin"), QStringLiteral("Amber"));
    EXPECT_EQ(stored("sk"), QStringLiteral("-1"));
}

TEST_F(TForm5Test, ApplyStoresTheSkinAndTheSwitchAndCloses)
{
    open();
    clickSkin(QStringLiteral("Ocean"));
    QTest::mouseClick(form->sCheckBox1, Qt::LeftButton);
    QTest::mouseClick(form->sButton1, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored("Skin"), QStringLiteral("Ocean"));
    EXPECT_EQ(stored("sk"), QStringLiteral("0"));
    EXPECT_EQ(skins->skinName(), QStringLiteral("Ocean"));
    EXPECT_FALSE(skins->extendedBorders());
}

TEST_F(TForm5Test, ClosingWithNothingStoredGivesTheBuiltInSkinAndLeavesTheBorders)
{
    open();
    clickSkin(QStringLiteral("Amber"));
    QTest::mouseClick(form->sCheckBox1, Qt::LeftButton);
    form->reject();
    EXPECT_EQ(skins->skinName(), SkinManager::kBuiltInName);
    // No "sk" to re-apply: the borders stay as the preview left them.
    EXPECT_FALSE(skins->extendedBorders());

    setStored("sk", "rubbish");
    open();
    skins->setExtendedBorders(false);
    form->reject();
    EXPECT_FALSE(skins->extendedBorders());
}

TEST_F(TForm5Test, FontButtonReplacesTheChosenFontOnlyWhenConfirmed)
{
    open();
    pick = std::nullopt;
    QTest::mouseClick(form->sButton2, Qt::LeftButton);
    EXPECT_EQ(pickerStartedFrom, QFont(QStringLiteral("Sans"), 10));
    EXPECT_EQ(font.font, QFont(QStringLiteral("Sans"), 10));

    QFont mono(QStringLiteral("Monospace"), 12);
    mono.setBold(true);
    mono.setFixedPitch(true);
    pick = mono;
    QTest::mouseClick(form->sButton2, Qt::LeftButton);
    EXPECT_EQ(font.font, mono);
    EXPECT_EQ(font.pitch, 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(storedKeys().isEmpty());

    // The next run of the font dialog starts from the font picked last.
    pick = std::nullopt;
    QTest::mouseClick(form->sButton2, Qt::LeftButton);
    EXPECT_EQ(pickerStartedFrom, mono);
}

} // namespace
} // namespace morva::test
