// The skin engine: the list of skins, switching by name, skin files, the shipped skins' style sheets and the
// extended-borders switch.
#include "skin/SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva {
namespace {

class SkinTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void writeSkin(const QString& file, const QByteArray& text)
    {
        QFile f(QDir(m_dir.path()).filePath(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QTemporaryDir m_dir;
};

TEST_F(SkinTest, NamesStartWithTheBuiltInSkin)
{
    writeSkin("zeta.skin", "[Colors]\n");
    writeSkin("Alpha.skin", "[Colors]\n");
    writeSkin("beta.skin", "[Colors]\n");
    writeSkin("notes.txt", "not a skin");
    SkinManager skins(m_dir.path());
    EXPECT_EQ(skins.skinNames(), (QStringList{"MetroUI (internal)", "Alpha", "beta", "zeta"}));
    EXPECT_EQ(SkinManager(m_dir.filePath("missing")).skinNames(), QStringList{"MetroUI (internal)"});
}

TEST_F(SkinTest, SwitchingByNameIgnoresCase)
{
    writeSkin("Night.skin", "[Colors]\nWindow=#101010\nAccent = #ff0000\nText=nonsense\n");
    SkinManager skins(m_dir.path());
    QSignalSpy changed(&skins, &SkinManager::skinChanged);
    EXPECT_TRUE(skins.setSkinName(QStringLiteral("night")));
    EXPECT_EQ(skins.skinName(), QStringLiteral("Night"));
    EXPECT_EQ(skins.skin().window, QColor(0x10, 0x10, 0x10));
    EXPECT_EQ(skins.skin().accent, QColor(0xff, 0, 0));
    // A colour the file leaves out or spells wrongly keeps the built-in one.
    EXPECT_EQ(skins.skin().text, Skin::builtIn().text);
    EXPECT_EQ(skins.skin().base, Skin::builtIn().base);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(qApp->styleSheet(), SkinManager::styleSheetFor(skins.skin()));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0x10, 0x10, 0x10));

    EXPECT_TRUE(skins.setSkinName(QStringLiteral("metroui (INTERNAL)")));
    EXPECT_EQ(skins.skinName(), SkinManager::kBuiltInName);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(SkinTest, UnknownOrEmptyNameGivesTheBuiltInSkin)
{
    writeSkin("Night.skin", "[Colors]\nWindow=#101010\n");
    SkinManager skins(m_dir.path());
    skins.setSkinName(QStringLiteral("Night"));
    for (const char* name : {"", "Nigh", "Night.skin", "../Night"}) {
        skins.setSkinName(QStringLiteral("Night"));
        EXPECT_FALSE(skins.setSkinName(QString::fromUtf8(name))) << name;
        EXPECT_EQ(skins.skinName(), SkinManager::kBuiltInName) << name;
        EXPECT_EQ(skins.skin().window, Skin::builtIn().window) << name;
    }
}

// Every shipped skin is readable and its style sheet has every colour filled in.
TEST_F(SkinTest, ShippedSkinsAreComplete)
{
    SkinManager skins(QStringLiteral(MORVA_SKINS_SOURCE_DIR));
    const QStringList names = skins.skinNames();
    EXPECT_GE(names.size(), 3);
    const QRegularExpression unfilled(QStringLiteral("@[a-zA-Z]"));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(skins.setSkinName(name));
        EXPECT_EQ(skins.skinName(), name);
        const QString css = SkinManager::styleSheetFor(skins.skin());
        EXPECT_FALSE(unfilled.match(css).hasMatch()) << unfilled.match(css).captured().toStdString();
        // The text views keep a light page in every skin: the IRC colours assume one.
        EXPECT_GT(skins.skin().base.lightness(), 200);
    }
}

TEST_F(SkinTest, ExtendedBordersAnnounceOnlyChanges)
{
    SkinManager skins(m_dir.path());
    EXPECT_TRUE(skins.extendedBorders());
    QSignalSpy spy(&skins, &SkinManager::extendedBordersChanged);
    skins.setExtendedBorders(true);
    EXPECT_EQ(spy.count(), 0);
    skins.setExtendedBorders(false);
    skins.setExtendedBorders(false);
    skins.setExtendedBorders(true);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FALSE(spy.at(0).at(0).toBool());
    EXPECT_TRUE(spy.at(1).at(0).toBool());
}

} // namespace
} // namespace morva
