// The shared modal boxes.
#include "ui/dialogs/Prompts.h"

#include "text/QtText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace morva {
namespace {

PromptHooks& hooks()
{
    static PromptHooks h;
    return h;
}

} // namespace

void setPromptHooks(PromptHooks h)
{
    hooks() = std::move(h);
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText,
                     QWidget* parent)
{
    if (hooks().input)
        return hooks().input(caption, prompt, defaultText);

    QDialog box(parent);
    box.setWindowTitle(text::toQString(caption));
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(text::toQString(prompt), &box));
    auto* edit = new QLineEdit(text::toQString(defaultText), &box);
    edit->selectAll();
    edit->setMinimumWidth(300);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&box);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    box.setFixedSize(box.sizeHint());
    if (box.exec() != QDialog::Accepted)
        return defaultText;
    return text::fromQString(edit->text());
}

void ShowMessage(const std::string& text, QWidget* parent)
{
    if (hooks().message) {
        hooks().message(text, false);
        return;
    }
    QMessageBox::information(parent, QStringLiteral("MORVA"), text::toQString(text));
}

void ShowError(const std::string& text, QWidget* parent)
{
    if (hooks().message) {
        hooks().message(text, true);
        return;
    }
    QMessageBox::critical(parent, QStringLiteral("MORVA"), text::toQString(text));
}

} // namespace morva
