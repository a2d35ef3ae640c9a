// The appearance dialog.
#include "ui/dialogs/TForm5.h"

#include "skin/SkinManager.h"
#include "ui/dialogs/SettingEncodings.h"
#include "ui/dialogs/StoredValues.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QListWidget>
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

std::optional<QFont> systemFontDialog(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Шрифт"));
    if (!ok)
        return std::nullopt;
    return picked;
}

} // namespace

TForm5::TForm5(SkinManager& skins, ChosenFont& chosenFont, QWidget* parent)
    : QDialog(parent), m_skins(skins), m_font(chosenFont), m_pickFont(systemFontDialog)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Внешний вид"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    sListBox1 = new QListWidget(this);
    sListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    sCheckBox1 = new QCheckBox(QStringLiteral("Улучшеное качество"), this);
    sCheckBox1->setChecked(true);
    sButton1 = new QPushButton(QStringLiteral("Применить"), this);
    sButton1->setDefault(true);
    sButton2 = new QPushButton(QStringLiteral("Шрифт"), this);

    // Rows change by the user only; the rows the show steps select are not a preview.
    connect(sListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (!m_filling)
            sListBox1Click();
    });
    connect(sCheckBox1, &QCheckBox::toggled, this, [this] { sCheckBox1Change(); });
    connect(sButton1, &QPushButton::clicked, this, [this] { sButton1Click(); });
    connect(sButton2, &QPushButton::clicked, this, [this] { sButton2Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sButton2);
    buttons->addStretch();
    buttons->addWidget(sButton1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sListBox1);
    layout->addWidget(sCheckBox1);
    layout->addLayout(buttons);
    resize(300, 320);
}

void TForm5::setFontPicker(FontPicker picker)
{
    m_pickFont = picker ? std::move(picker) : FontPicker(systemFontDialog);
}

void TForm5::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm5::FormShow()
{
    const QSettings s = openStore();
    const QString skin = readStoredString(s, QStringLiteral("Skin"), QString());

    m_filling = true;
    sListBox1->clear();
    sListBox1->addItems(m_skins.skinNames());
    if (skin.isEmpty())
        sCheckBox1->setChecked(true);
    // A stored skin that is no longer there was replaced by the built-in one at start: its row is selected,
    // as the skin the windows are drawn in.
    const QString wanted = skin.isEmpty() ? SkinManager::kBuiltInName : skin;
    int row = -1;
    for (int i = 0; i < sListBox1->count() && row < 0; ++i)
        if (sListBox1->item(i)->text().compare(wanted, Qt::CaseInsensitive) == 0)
            row = i;
    for (int i = 0; i < sListBox1->count() && row < 0; ++i)
        if (sListBox1->item(i)->text().compare(m_skins.skinName(), Qt::CaseInsensitive) == 0)
            row = i;
    sListBox1->setCurrentRow(row);
    m_filling = false;

    const std::optional<QString> sk =
        s.contains(QStringLiteral("sk")) ? storedText(s.value(QStringLiteral("sk"))) : std::nullopt;
    const std::optional<int> value = sk ? parseStoredInt(*sk) : std::nullopt;
    if (!value || *value == -1)
        sCheckBox1->setChecked(true);
    else if (*value == 0)
        sCheckBox1->setChecked(false);
}

void TForm5::sListBox1Click()
{
    if (const QListWidgetItem* item = sListBox1->currentItem())
        m_skins.setSkinName(item->text());
}

void TForm5::sCheckBox1Change()
{
    m_skins.setExtendedBorders(sCheckBox1->isChecked());
}

void TForm5::sButton2Click()
{
    const std::optional<QFont> picked = m_pickFont(m_font.font, this);
    if (!picked)
        return;
    m_font.font = *picked;
    // The font string keeps the pitch as asked for; a fixed font picked here is asked for as fixed.
    if (picked->fixedPitch())
        m_font.pitch = 2;
    else if (m_font.pitch == 2)
        m_font.pitch = 0;
}

void TForm5::sButton1Click()
{
    QSettings s = openStore();
    if (const QListWidgetItem* item = sListBox1->currentItem())
        s.setValue(QStringLiteral("Skin"), item->text());
    s.setValue(QStringLiteral("sk"), sCheckBox1->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"));
    s.sync();
    accept();
}

void TForm5::FormClose()
{
    const QSettings s = openStore();
    m_skins.setSkinName(readStoredString(s, QStringLiteral("Skin"), QString()));
    if (s.contains(QStringLiteral("sk")))
        if (const std::optional<QString> sk = storedText(s.value(QStringLiteral("sk"))))
            if (const std::optional<bool> on = parseStoredBool(*sk))
                m_skins.setExtendedBorders(*on);
}

void TForm5::done(int result)
{
    if (isVisible())
        FormClose();
    QDialog::done(result);
}

} // namespace morva
