// TForm2: the logo form.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace morva {

// A borderless 590 by 360 form centred on the screen holding the program's logo, with a 3-second timer whose
// handler only switches the timer off. The main program creates it hidden before the main window and frees it
// once the dialogs exist; it is never shown. UI thread only.
class TForm2 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Image1;
    QTimer Timer1;

    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace morva
