// The logo form.
#include "ui/dialogs/TForm2.h"

#include "resources/MorvaResources.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace morva {

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen)
{
    initMorvaResources();
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(590, 360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Image1);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    Timer1.setInterval(3000);
    connect(&Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    Timer1.start();
}

void TForm2::showEvent(QShowEvent* event)
{
    // The form is created at every start and normally never shown: the logo is decoded only for a showing.
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    QWidget::showEvent(event);
}

void TForm2::Timer1Timer()
{
    Timer1.stop();
}

} // namespace morva
