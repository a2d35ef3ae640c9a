// TForm3: the connection settings dialog, and the host the stored settings name.
#pragma once

#include <string>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSettings;

namespace morva {

// The host a store names: the built-in server at "Server" (0 when missing); for a "Server" outside the
// built-in list, the typed host kept in "Host" (empty when there is none).
std::string readStoredHost(const QSettings& store);

// The connection settings dialog "Настройки": server, port, nick, descriptive name, ident, password, the
// auto-join channel and the two start-up switches. Showing it reads the store; closing it, by "Сохранить" or
// any other way, writes the store and says that the settings take effect after a restart. A port that is not
// a whole number keeps it open with nothing written. The server field also takes a typed host, kept as "Host"
// with "Server" -1. Created once by the main program, shown modally from the main menu; UI thread only.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    QComboBox* sComboBox1; // "Сервер"
    QLineEdit* sEdit1;     // "Порт"
    QLineEdit* sEdit2;     // "Ник"
    QLineEdit* sEdit3;     // "Реальное имя"
    QLineEdit* sEdit4;     // "Идент"
    QLineEdit* sEdit5;     // "АвтоВход", greyed out
    QLineEdit* sEdit6;     // "Пароль"
    QCheckBox* sCheckBox1; // "Подключаться при запуске"
    QCheckBox* sCheckBox2; // "Вести журнал"
    QPushButton* sButton1; // "Сохранить"

    // Fills the fields from the store.
    void FormShow();
    // Writes the fields to the store and shows the confirmation; false, with an error box and nothing written,
    // when the port is not a whole number.
    bool FormClose();
    void sButton1Click();

    // Every way of closing the dialog ends here; a refused save keeps it open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace morva
