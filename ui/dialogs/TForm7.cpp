// The colour picker and its swatch grid.
#include "ui/dialogs/TForm7.h"

#include "text/QtText.h"

#include <string>

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace morva {
namespace {

constexpr int kSwatch = 22;
constexpr int kGap = 3;

} // namespace

// clang-format off
const std::array<QRgb, ColorsPanel::kCount> ColorsPanel::kColors = {
    0xFFFFFF, 0x000000, 0x07008F, 0x00712B, 0xFF0000, 0xC30000, 0x550074, 0xFF4E00,
    0xFFF000, 0x00FF24, 0x746BC6, 0xABA9C3, 0x1200FF, 0xDD0072, 0x626262, 0x939393,
};
// clang-format on

ColorsPanel::ColorsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sColorsPanel1"));
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

QColor ColorsPanel::ColorValue() const
{
    if (ItemIndex < 0 || ItemIndex >= kCount)
        return {};
    return QColor::fromRgb(kColors[static_cast<std::size_t>(ItemIndex)]);
}

QRect ColorsPanel::swatchRect(int index) const
{
    const int column = index % kColumns;
    const int row = index / kColumns;
    return QRect(kGap + column * (kSwatch + kGap), kGap + row * (kSwatch + kGap), kSwatch, kSwatch);
}

QSize ColorsPanel::sizeHint() const
{
    const int rows = (kCount + kColumns - 1) / kColumns;
    return QSize(kGap + kColumns * (kSwatch + kGap), kGap + rows * (kSwatch + kGap));
}

void ColorsPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int i = 0; i < kCount; ++i) {
        const QRect r = swatchRect(i);
        p.fillRect(r, QColor::fromRgb(kColors[static_cast<std::size_t>(i)]));
        p.setPen(i == ItemIndex ? palette().color(QPalette::Highlight) : QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void ColorsPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < kCount; ++i) {
        if (swatchRect(i).contains(event->position().toPoint())) {
            ItemIndex = i;
            update();
            // A repeated choice of the same swatch inserts its code again, as a user who clicks it expects.
            if (OnChange)
                OnChange(this);
            return;
        }
    }
}

TForm7::TForm7(QLineEdit* input, QWidget* parent) : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), m_input(input)
{
    setObjectName(QStringLiteral("Form7"));
    // Without a caption the window needs an edge of its own to stand out from what is behind it.
    auto* edge = new QFrame(this);
    edge->setFrameStyle(QFrame::Box | QFrame::Plain);
    sColorsPanel1 = new ColorsPanel(edge);
    sColorsPanel1->OnChange = [this](QObject* sender) { sColorsPanel1Change(sender); };

    auto* inner = new QVBoxLayout(edge);
    inner->setContentsMargins(2, 2, 2, 2);
    inner->addWidget(sColorsPanel1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edge);
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

void TForm7::sColorsPanel1Change(QObject*)
{
    const QColor colour = sColorsPanel1->ColorValue();
    if (!colour.isValid())
        return;
    const QRgb chosen = colour.rgb() & 0xFFFFFF;
    for (int number = 0; number < ColorsPanel::kCount; ++number) {
        if (ColorsPanel::kColors[static_cast<std::size_t>(number)] == chosen) {
            AddToEdit(number);
            close();
            // The user goes on typing where the code went in.
            if (m_input) {
                m_input->activateWindow();
                m_input->setFocus();
            }
            return;
        }
    }
}

void TForm7::AddToEdit(int number)
{
    if (!m_input)
        return;
    m_input->setText(text::toQString(text::fromQString(m_input->text()) + "\x03" + std::to_string(number)));
}

void TForm7::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Like a drop-down, the picker goes away when the user turns to another window without choosing.
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            m_wasActive = true;
        } else if (m_wasActive && isVisible()) {
            m_wasActive = false;
            close();
        }
    }
}

} // namespace morva
