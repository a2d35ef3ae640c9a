// The connection settings dialog and the host of the stored settings.
#include "ui/dialogs/TForm3.h"

#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/dialogs/Prompts.h"
#include "ui/dialogs/SettingEncodings.h"
#include "ui/dialogs/StoredValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QVBoxLayout>

namespace morva {
namespace {

QSettings openStore()
{
    return QSettings(QStringLiteral("PelmarSoftware"), QStringLiteral("MORVA"));
}

QString boolText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

// The built-in server whose name the text is (host names ignore case), or -1.
int serverIndexOf(const QString& text)
{
    const std::string host = text::fromQString(text);
    for (int i = 0; i < kServerCount; ++i)
        if (text::sameText(IndToServer(i), host))
            return i;
    return -1;
}

} // namespace

std::string readStoredHost(const QSettings& store)
{
    const int index = readStoredInt(store, QStringLiteral("Server"), 0);
    if (index >= 0 && index < kServerCount)
        return IndToServer(index);
    return text::fromQString(readStoredString(store, QStringLiteral("Host"), QString()).trimmed());
}

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Настройки"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    sComboBox1 = new QComboBox(this);
    sComboBox1->setEditable(true);
    // What is typed stays typed: a host of one's own is not added to the built-in list.
    sComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < kServerCount; ++i)
        sComboBox1->addItem(text::toQString(IndToServer(i)));
    sComboBox1->lineEdit()->setPlaceholderText(QStringLiteral("Выберите сервер"));
    sComboBox1->setCurrentIndex(-1);

    sEdit1 = new QLineEdit(this);
    sEdit2 = new QLineEdit(this);
    sEdit3 = new QLineEdit(this);
    sEdit4 = new QLineEdit(this);
    sEdit5 = new QLineEdit(this);
    sEdit5->setEnabled(false);
    sEdit6 = new QLineEdit(this);
    sEdit6->setEchoMode(QLineEdit::Password);
    sEdit6->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    sCheckBox1 = new QCheckBox(QStringLiteral("Подключаться при запуске"), this);
    sCheckBox2 = new QCheckBox(QStringLiteral("Вести журнал"), this);
    sButton1 = new QPushButton(QStringLiteral("Сохранить"), this);
    sButton1->setDefault(true);
    connect(sButton1, &QPushButton::clicked, this, [this] { sButton1Click(); });

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Сервер"), sComboBox1);
    form->addRow(QStringLiteral("Порт"), sEdit1);
    form->addRow(QStringLiteral("Ник"), sEdit2);
    form->addRow(QStringLiteral("Реальное имя"), sEdit3);
    form->addRow(QStringLiteral("Идент"), sEdit4);
    form->addRow(QStringLiteral("Пароль"), sEdit6);
    form->addRow(QStringLiteral("АвтоВход"), sEdit5);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sButton1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sCheckBox1);
    layout->addWidget(sCheckBox2);
    layout->addLayout(buttons);
    setMinimumWidth(340);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm3::FormShow()
{
    const QSettings s = openStore();
    const int server = readStoredInt(s, QStringLiteral("Server"), 0);
    const QString port = QString::number(readStoredInt(s, QStringLiteral("Port"), 6667));
    const QString nick = readStoredString(s, QStringLiteral("Nick"), QStringLiteral("NewUser"));
    const QString realName = readStoredString(s, QStringLiteral("RName"), QStringLiteral("MORVA User"));
    const QString ident = readStoredString(s, QStringLiteral("Id"), QStringLiteral("morva"));
    const QString autoJoin = readStoredString(s, QStringLiteral("AJoin"), QStringLiteral("#Dawnhall"));
    const QString stored = readStoredString(s, QStringLiteral("ps"), QString());
    const std::string password = stored.isEmpty() ? std::string() : decodeStoredPassword(stored);

    if (server >= 0 && server < kServerCount) {
        sComboBox1->setCurrentIndex(server);
    } else {
        sComboBox1->setCurrentIndex(-1);
        sComboBox1->setEditText(readStoredString(s, QStringLiteral("Host"), QString()));
    }
    sEdit1->setText(port);
    sEdit2->setText(nick);
    sEdit3->setText(realName);
    sEdit4->setText(ident);
    sEdit5->setText(autoJoin);
    sEdit6->setText(text::toQString(password));
    sCheckBox1->setChecked(readStoredBool(s, QStringLiteral("AutoConnect"), false));
    sCheckBox2->setChecked(readStoredBool(s, QStringLiteral("Logs"), false));
}

bool TForm3::FormClose()
{
    // The port is checked before anything is written, so that a refused save leaves the store as it was.
    const std::optional<int> port = parseStoredInt(sEdit1->text());
    if (!port) {
        ShowError(text::fromUtf8("Порт должен быть целым числом: \"") + text::fromQString(sEdit1->text()) + "\"", this);
        sEdit1->setFocus();
        sEdit1->selectAll();
        return false;
    }

    const QString typed = sComboBox1->currentText().trimmed();
    const int server = serverIndexOf(typed);
    const std::string password = text::fromQString(sEdit6->text());

    QSettings s = openStore();
    s.setValue(QStringLiteral("Server"), QString::number(server));
    // A built-in server leaves no typed host behind, so the store reads the same under the old rules.
    if (server >= 0)
        s.remove(QStringLiteral("Host"));
    else
        s.setValue(QStringLiteral("Host"), typed);
    s.setValue(QStringLiteral("Port"), QString::number(*port));
    s.setValue(QStringLiteral("Nick"), sEdit2->text());
    s.setValue(QStringLiteral("RName"), sEdit3->text());
    s.setValue(QStringLiteral("Id"), sEdit4->text());
    s.setValue(QStringLiteral("AJoin"), sEdit5->text());
    s.setValue(QStringLiteral("ps"), password.empty() ? QString() : encodeStoredPassword(password));
    s.setValue(QStringLiteral("AutoConnect"), boolText(sCheckBox1->isChecked()));
    s.setValue(QStringLiteral("Logs"), boolText(sCheckBox2->isChecked()));
    s.sync();

    ShowMessage(text::fromUtf8("Новые настройки вступят в действие\r\nпосле перезапуска программы!"), this);
    return true;
}

void TForm3::sButton1Click()
{
    accept();
}

void TForm3::done(int result)
{
    if (isVisible() && !FormClose())
        return;
    QDialog::done(result);
}

} // namespace morva
