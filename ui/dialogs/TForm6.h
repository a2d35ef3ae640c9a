// TForm6: the About box.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace morva {

// The About box "О программе...": a fixed-size tool window centred on the screen, with the program's picture,
// its name, its version and a read-only credits text. It has no behaviour of its own: the main menu shows it
// modally and the user closes it. Created once by the main program; UI thread only.
class TForm6 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm6(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* sLabelFX1; // "MORVA"
    QLabel* sLabel1;   // "Версия 3.7"
    QPlainTextEdit* sMemo1;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace morva
