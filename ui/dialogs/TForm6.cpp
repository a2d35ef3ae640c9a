// The About box.
#include "ui/dialogs/TForm6.h"

#include "resources/MorvaResources.h"

#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace morva {

TForm6::TForm6(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    initMorvaResources();
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("О программе..."));
    setModal(true);

    Image1 = new QLabel(this);
    // The picture is decoded when the box is first shown: most starts never open it.
    Image1->setFixedSize(128, 128);
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    sLabelFX1 = new QLabel(QStringLiteral("MORVA"), this);
    QFont title = sLabelFX1->font();
    title.setPointSize(26);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    sLabelFX1->setFont(title);
    sLabelFX1->setStyleSheet(QStringLiteral("color: #1e5aa8;"));
    auto* shadow = new QGraphicsDropShadowEffect(sLabelFX1);
    shadow->setOffset(2, 2);
    shadow->setBlurRadius(4);
    shadow->setColor(QColor(0, 0, 0, 110));
    sLabelFX1->setGraphicsEffect(shadow);

    sLabel1 = new QLabel(QStringLiteral("Версия 3.7"), this);

    sMemo1 = new QPlainTextEdit(this);
    sMemo1->setReadOnly(true);
    sMemo1->setPlainText(QStringLiteral("MORVA — IRC-клиент для сети Dawnhall и любых других IRC-серверов.\n"
                                        "\n"
                                        "Разработка: PelmarSoftware.\n"
                                        "Спасибо всем, кто проверял программу и присылал замечания.\n"
                                        "\n"
                                        "Вопросы и пожелания: канал #Dawnhall."));

    auto* right = new QVBoxLayout;
    right->addWidget(sLabelFX1);
    right->addWidget(sLabel1);
    right->addWidget(sMemo1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image1);
    layout->addLayout(right);
    setFixedSize(470, 220);
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap(QStringLiteral(":/icons/morva.png"))
                              .scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

} // namespace morva
