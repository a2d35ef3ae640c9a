// TForm5: the appearance dialog: the skin, its extended borders and the font of the text views.
#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QFont>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace morva {

class SkinManager;
struct ChosenFont;

// The appearance dialog "Внешний вид". A click on a skin row and every change of "Улучшеное качество" are
// previewed at once through the skin engine; "Применить" stores the skin and the switch and closes; closing by
// any means re-applies what is stored, which undoes an unsaved preview. "Шрифт" replaces the chosen font of the
// main window (held by reference, not owned) for the text views created afterwards. Created once by the main
// program, shown modally from the main menu; UI thread only.
class TForm5 : public QDialog
{
    Q_OBJECT

public:
    // Asks the user for a font, starting from the given one; nothing when the user cancels.
    using FontPicker = std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)>;

    TForm5(SkinManager& skins, ChosenFont& chosenFont, QWidget* parent = nullptr);

    QListWidget* sListBox1; // the skins
    QCheckBox* sCheckBox1;  // "Улучшеное качество"
    QPushButton* sButton1;  // "Применить"
    QPushButton* sButton2;  // "Шрифт"

    // The system font dialog by default; tests put their own in.
    void setFontPicker(FontPicker picker);

    void FormShow();
    void FormClose();
    void sListBox1Click();
    void sCheckBox1Change();
    void sButton1Click();
    void sButton2Click();

    // Every way of closing the dialog ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    SkinManager& m_skins;
    ChosenFont& m_font;
    FontPicker m_pickFont;
    bool m_filling = false;
};

} // namespace morva
