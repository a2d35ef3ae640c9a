// A main window over a settings store, an executable folder and a data folder of its own in a temporary folder.
#pragma once

#include "app/QtHost.h"
#include "skin/SkinManager.h"
#include "ui/main/TForm1.h"

#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morva::test {

class FormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        QDir(m_tmp.path()).mkpath(QStringLiteral("cfg"));
        QDir(m_tmp.path()).mkpath(QStringLiteral("exe/Skins"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("cfg"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path("cfg"));
        exeDir = path("exe");
        dataDir = path("data");
    }

    void TearDown() override
    {
        if (form && !form->closed())
            form->close();
        form.reset();
    }

    QString path(const char* rel) const { return QDir(m_tmp.path()).filePath(QLatin1String(rel)); }

    QSettings store() const { return QSettings(QStringLiteral("PelmarSoftware"), QStringLiteral("MORVA")); }
    void setStored(const char* key, const QVariant& value)
    {
        QSettings s = store();
        s.setValue(QLatin1String(key), value);
        s.sync();
    }

    static void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    TForm1& create(QStringList args = {})
    {
        TForm1Options o;
        o.exeDir = exeDir;
        o.dataDir = dataDir;
        o.arguments = std::move(args);
        o.useArguments = true;
        o.messageBox = [this](const QString& text, bool warning) { messages.push_back({text, warning}); };
        skins = std::make_unique<SkinManager>(QDir(exeDir).filePath(QStringLiteral("Skins")));
        form = std::make_unique<TForm1>(host, *skins, std::move(o));
        return *form;
    }

    struct Message
    {
        QString text;
        bool warning;
    };

    QTemporaryDir m_tmp;
    QString exeDir;
    QString dataDir;
    QtHost host;
    std::unique_ptr<SkinManager> skins;
    std::unique_ptr<TForm1> form;
    std::vector<Message> messages;
};

} // namespace morva::test
