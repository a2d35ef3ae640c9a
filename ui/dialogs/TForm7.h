// TForm7: the colour picker of the input line, and its grid of colour swatches.
#pragma once

#include <array>
#include <functional>

#include <QColor>
#include <QDialog>
#include <QRect>
#include <QWidget>

class QLineEdit;

namespace morva {

// A grid of the 16 IRC colour swatches, 8 to a row, numbers 0 to 7 in the first row. A click on a swatch makes
// it the chosen one and raises OnChange, also when it was chosen already. Owned by its window; UI thread only.
class ColorsPanel : public QWidget
{
public:
    static constexpr int kColumns = 8;
    static constexpr int kCount = 16;
    // The swatch colours by colour number, as 0xRRGGBB.
    static const std::array<QRgb, kCount> kColors;

    explicit ColorsPanel(QWidget* parent = nullptr);

    // The chosen swatch, -1 before the first choice.
    int ItemIndex = -1;
    QColor ColorValue() const;
    std::function<void(QObject* Sender)> OnChange;

    QRect swatchRect(int index) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// The colour picker: a tool window without caption, opened from the input line, that appends the colour code
// of the chosen swatch to the input line's text and closes. The input line belongs to the main window; the
// picker only holds it, and it must outlive the picker or be replaced first. Not modal; UI thread only.
class TForm7 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm7(QLineEdit* input = nullptr, QWidget* parent = nullptr);

    ColorsPanel* sColorsPanel1;

    void setInput(QLineEdit* input) { m_input = input; }
    QLineEdit* input() const { return m_input; }

    // Finds the number of the chosen swatch's colour, appends its code and closes.
    void sColorsPanel1Change(QObject* Sender = nullptr);
    // The input line's text becomes its text + "^C" + the number in decimal.
    void AddToEdit(int number);

protected:
    void changeEvent(QEvent* event) override;

private:
    QLineEdit* m_input;
    bool m_wasActive = false;
};

} // namespace morva
