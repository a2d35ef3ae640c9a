// Shows the popups as the main window uses them: one popup, then three stacked ones, over a focused input line.
//   popup_demo [one|three|both] [seconds]   (default: both, 8 seconds)
#include "popup/TMSNPopUp.h"
#include "popup/TfrmMSNPopUp.h"
#include "text/Cp1251.h"

#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "both";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 8;

    QWidget window;
    window.setWindowTitle(QStringLiteral("MORVA"));
    auto* layout = new QVBoxLayout(&window);
    auto* input = new QLineEdit(&window);
    layout->addWidget(input);
    window.resize(420, 80);
    window.move(40, 40);
    window.show();
    input->setFocus();

    morva::TMSNPopUp popup;
    popup.TimeOut = 30; // long enough to look at
    using morva::text::fromUtf8;
    auto one = [&] { popup.ShowPopUp(fromUtf8("#Dawnhall"), fromUtf8("<Гость> Привет всем! Кто сегодня на канале?")); };
    auto three = [&] {
        popup.ShowPopUp(fromUtf8("#Dawnhall"), fromUtf8("<Ветер> доброе утро"));
        popup.ShowPopUp(fromUtf8("#morva"), fromUtf8("* Лис машет хвостом"));
        popup.ShowPopUp(fromUtf8("#Dawnhall"),
                        fromUtf8("<Гость> очень длинное сообщение, которое не помещается в одну строку окна"));
    };

    if (std::strcmp(mode, "three") == 0) {
        QTimer::singleShot(200, three);
    } else {
        QTimer::singleShot(200, one);
        if (std::strcmp(mode, "both") == 0) {
            // A new popup stacks above one still open: close the first, then show three from the first place.
            QTimer::singleShot(seconds * 500, [&] {
                while (!popup.openPopups().empty())
                    popup.openPopups().front()->closePopup();
                three();
            });
        }
    }
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
