// MORVA: the program's entry point, creating the windows in their order and running the message loop.
#include "app/QtHost.h"
#include "app/StateFile.h"
#include "app/TermSignal.h"
#include "engine/TIdAntiFreeze.h"
#include "resources/MorvaResources.h"
#include "skin/SkinManager.h"
#include "ui/dialogs/TForm10.h"
#include "ui/dialogs/TForm2.h"
#include "ui/dialogs/TForm3.h"
#include "ui/dialogs/TForm4.h"
#include "ui/dialogs/TForm5.h"
#include "ui/dialogs/TForm6.h"
#include "ui/dialogs/TForm7.h"
#include "ui/dialogs/TForm8.h"
#include "ui/dialogs/TForm9.h"
#include "ui/main/Form4Link.h"
#include "ui/main/TForm1.h"

#include <memory>

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("PelmarSoftware"));
    morva::initMorvaResources();

    // The logo form exists from the start to the end of the creation, hidden.
    auto logo = std::make_unique<morva::TForm2>();

    QApplication::setApplicationName(QStringLiteral("MORVA"));
    QApplication::setApplicationDisplayName(QStringLiteral("MORVA"));

    morva::QtHost host;
    morva::TIdAntiFreeze antiFreeze(host);
    antiFreeze.IdleTimeOut = 2000;
    morva::SkinManager skins(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("Skins")));

    morva::TForm1 form1(host, skins);
    // The dialogs are created here, after the main window, in their order. They are the main window's children
    // and go before it.
    morva::TForm3 form3(&form1);
    form1.Form3 = &form3;
    morva::TForm4 form4(
        form1.IdIRC1, [&form1] { return form1.activeWindowName(); }, &form1);
    form1.Form4 = &form4;
    // The replies for the channel settings reach the dialog through its link.
    morva::Form4Link form4Link(form4);
    form1.setChannelSettings(&form4Link);
    morva::TForm5 form5(skins, form1.chosenFont(), &form1);
    form1.Form5 = &form5;
    morva::TForm6 form6(&form1);
    form1.Form6 = &form6;
    morva::TForm7 form7(form1.sEdit1, &form1);
    form1.Form7 = &form7;
    form1.showColourPicker = [&form7] {
        form7.show();
        form7.raise();
        form7.activateWindow();
    };
    morva::TForm8 form8(form1.ignore(), &form1);
    form1.Form8 = &form8;
    morva::TForm9 form9(form1.IdIRC1, &form1);
    form1.Form9 = &form9;
    morva::TForm10 form10(form1.aliases(), &form1);
    form1.Form10 = &form10;

    logo->hide();
    logo.reset();

    morva::closeOnTermSignal(form1);
    std::unique_ptr<morva::StateFile> state;
    if (const QString path = morva::StateFile::pathFromEnvironment(); !path.isEmpty())
        state = std::make_unique<morva::StateFile>(form1, path);

    form1.show();
    const int rc = app.exec();
    // The link goes before the main window: nothing may reach it through the main window then.
    form1.setChannelSettings(nullptr);
    return rc;
}
