// MORVA: the program's entry point.
#include "app/QtHost.h"
#include "engine/TIdAntiFreeze.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("MORVA");
    morva::QtHost host;
    morva::TIdAntiFreeze antiFreeze(host);
    antiFreeze.IdleTimeOut = 2000;
    QLabel placeholder(QString::fromUtf8("MORVA — главное окно появится в следующей версии"));
    placeholder.setWindowTitle("MORVA");
    placeholder.resize(640, 400);
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.show();
    return app.exec();
}
