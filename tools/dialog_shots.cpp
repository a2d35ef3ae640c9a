// dialog_shots: shows one of the dialogs on the screen for a while, over a store of its own, for screenshots.
#include "resources/MorvaResources.h"
#include "skin/SkinManager.h"
#include "ui/dialogs/SettingEncodings.h"
#include "ui/dialogs/TForm3.h"
#include "ui/dialogs/TForm5.h"
#include "ui/dialogs/TForm6.h"
#include "ui/dialogs/TForm7.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: dialog_shots form3|form5|form6|form7 [seconds] [skin]\n");
        return 2;
    }
    morva::initMorvaResources();
    // Never the user's own settings: the dialogs read a fresh store, and nothing is closed, so nothing is written.
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());

    morva::SkinManager skins(QStringLiteral(MORVA_SKINS_DIR));
    skins.setSkinName(args.size() > 2 ? args[2] : QString());
    morva::ChosenFont font;
    QLineEdit input;

    std::unique_ptr<QWidget> dialog;
    const QString name = args[0].toLower();
    if (name == QLatin1String("form3"))
        dialog = std::make_unique<morva::TForm3>();
    else if (name == QLatin1String("form5"))
        dialog = std::make_unique<morva::TForm5>(skins, font);
    else if (name == QLatin1String("form6"))
        dialog = std::make_unique<morva::TForm6>();
    else if (name == QLatin1String("form7"))
        dialog = std::make_unique<morva::TForm7>(&input);
    if (!dialog) {
        std::fprintf(stderr, "unknown dialog: %s\n", qPrintable(args[0]));
        return 2;
    }
    dialog->show();
    const int seconds = args.size() > 1 ? args[1].toInt() : 5;
    // exit, not quit: quit would close the dialog first, and closing one saves.
    QTimer::singleShot(std::max(1, seconds) * 1000, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
