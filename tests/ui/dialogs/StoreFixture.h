// A settings store of its own in a temporary folder, and a record of the message and error boxes.
#pragma once

#include "text/QtText.h"
#include "ui/dialogs/Prompts.h"

#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva::test {

class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_tmp.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_tmp.path());
        m_hooks = std::make_unique<ScopedPromptHooks>(PromptHooks{{}, [this](const std::string& text, bool error) {
                                                                      boxes.push_back({text, error});
                                                                  }});
    }

    static QSettings store() { return QSettings(QStringLiteral("PelmarSoftware"), QStringLiteral("MORVA")); }
    static void setStored(const char* key, const QVariant& value)
    {
        QSettings s = store();
        s.setValue(QLatin1String(key), value);
        s.sync();
    }
    static QString stored(const char* key)
    {
        return store().value(QLatin1String(key), QStringLiteral("<none>")).toString();
    }
    static QStringList storedKeys() { return store().allKeys(); }

    struct Box
    {
        std::string text; // Windows-1251
        bool error;
    };
    std::vector<Box> boxes;

    QString dir() const { return m_tmp.path(); }

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<ScopedPromptHooks> m_hooks;
};

} // namespace morva::test
