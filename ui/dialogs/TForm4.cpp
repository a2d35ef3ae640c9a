// The channel settings dialog.
#include "ui/dialogs/TForm4.h"

#include "engine/TIdIRC.h"
#include "text/QtText.h"
#include "ui/dialogs/Prompts.h"

#include <exception>
#include <string_view>

#include <QCheckBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace morva {
namespace {

// The mode letters of the six boxes, in the order they go into a MODE line.
constexpr std::string_view kLetters = "ntsmcr";

QString editPlaceholder()
{
    return QStringLiteral("Редактирование");
}

} // namespace

TForm4::TForm4(TIdIRC& irc, ActiveName activeName, QWidget* parent)
    : QDialog(parent), m_irc(irc), m_activeName(std::move(activeName))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Настройка канала"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    sGroupBox1 = new QGroupBox(QStringLiteral("Канал и топик"), this);
    sLabel1 = new QLabel(QStringLiteral("Канал"), sGroupBox1);
    QFont bold = sLabel1->font();
    bold.setBold(true);
    sLabel1->setFont(bold);
    sLabel1->setTextFormat(Qt::PlainText);
    sLabel2 = new QLabel(QStringLiteral("Топик"), sGroupBox1);
    sEdit1 = new QLineEdit(QStringLiteral("Топик"), sGroupBox1);
    auto* g1 = new QGridLayout(sGroupBox1);
    g1->addWidget(sLabel1, 0, 0, 1, 2);
    g1->addWidget(sLabel2, 1, 0);
    g1->addWidget(sEdit1, 1, 1);

    sGroupBox2 = new QGroupBox(QStringLiteral("Список банов"), this);
    sListBox1 = new QListWidget(sGroupBox2);
    sListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    sListBox1->setMinimumHeight(120);
    sEdit2 = new QLineEdit(editPlaceholder(), sGroupBox2);
    sEdit2->setEnabled(false);
    sButton1 = new QPushButton(QStringLiteral("Редактировать"), sGroupBox2);
    sButton2 = new QPushButton(QStringLiteral("Удалить"), sGroupBox2);
    sButton3 = new QPushButton(QStringLiteral("Обновить"), sGroupBox2);
    sButton4 = new QPushButton(QStringLiteral("Применить"), sGroupBox2);
    sButton4->setEnabled(false);
    auto* g2 = new QVBoxLayout(sGroupBox2);
    g2->addWidget(sListBox1);
    g2->addWidget(sEdit2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {sButton1, sButton2, sButton3, sButton4}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    g2->addLayout(buttons);

    sGroupBox3 = new QGroupBox(QStringLiteral("Режимы"), this);
    sCheckBox1 = new QCheckBox(QStringLiteral("Нет внешних сообщений"), sGroupBox3);
    sCheckBox2 = new QCheckBox(QStringLiteral("Защита изменения темы"), sGroupBox3);
    sCheckBox3 = new QCheckBox(QStringLiteral("Секретный"), sGroupBox3);
    sCheckBox4 = new QCheckBox(QStringLiteral("Модерируемый"), sGroupBox3);
    sCheckBox5 = new QCheckBox(QStringLiteral("Без цветов ANSI"), sGroupBox3);
    sCheckBox6 = new QCheckBox(QStringLiteral("Зарегестрированный канал"), sGroupBox3);
    // Services set and clear "r"; the box shows what the server said and cannot be changed by hand.
    sCheckBox6->setEnabled(false);
    auto* g3 = new QGridLayout(sGroupBox3);
    for (int i = 0; i < 6; ++i)
        g3->addWidget(box(i), i % 3, i / 3);

    sButton5 = new QPushButton(QStringLiteral("Установить"), this);
    sButton5->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(sButton5);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sGroupBox1);
    layout->addWidget(sGroupBox2);
    layout->addWidget(sGroupBox3);
    layout->addLayout(bottom);
    sEdit1->setMinimumWidth(300);
    setFixedSize(sizeHint());

    connect(sButton1, &QPushButton::clicked, this, [this] { sButton1Click(); });
    connect(sButton2, &QPushButton::clicked, this, [this] { sButton2Click(); });
    connect(sButton3, &QPushButton::clicked, this, [this] { sButton3Click(); });
    connect(sButton4, &QPushButton::clicked, this, [this] { sButton4Click(); });
    connect(sButton5, &QPushButton::clicked, this, [this] { sButton5Click(); });
    connect(sCheckBox6, &QCheckBox::toggled, this, [this] { sCheckBox6Click(); });
}

TForm4::~TForm4() = default;

QCheckBox* TForm4::box(int i) const
{
    QCheckBox* const boxes[] = {sCheckBox1, sCheckBox2, sCheckBox3, sCheckBox4, sCheckBox5, sCheckBox6};
    return boxes[i];
}

template <class Body> void TForm4::handler(Body&& body)
{
    // A failed write ends the handler; the user learns why and the dialog stays as it is.
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
    }
}

void TForm4::send(const std::string& line)
{
    m_irc.WriteLine(line);
}

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_showing = true;
    FormShow();
}

void TForm4::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_showing = false;
}

void TForm4::FormShow()
{
    handler([this] {
        m_channel = m_activeName ? m_activeName() : std::string();
        m_timedOut = false;
        sLabel1->setText(text::toQString(m_channel));
        // Emptied before the boxes are cleared: the "r" box follows this text as it changes.
        m_channelModes.clear();
        for (int i = 0; i < 6; ++i)
            box(i)->setChecked(false);
        // The previous channel's bans and topic go before anything is asked: a topic field left over would be
        // sent to a channel that has no topic, and a failed query must not leave another channel's list in view.
        sListBox1->clear();
        sEdit1->clear();
        m_knownTopic.clear();
        editingDone();

        send("MODE " + m_channel);
        if (m_channelModes.empty()) {
            QEventLoop loop;
            QTimer timeout;
            timeout.setSingleShot(true);
            connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
            timeout.start(ModeReplyTimeoutMs);
            m_wait = &loop;
            loop.exec();
            m_wait = nullptr;
        }
        if (m_channelModes.empty()) {
            m_timedOut = true;
            sLabel1->setText(text::toQString(m_channel) + QStringLiteral(": сервер не ответил на запрос режимов"));
        }
        for (char c : m_channelModes) {
            const std::size_t i = kLetters.find(c);
            if (i != std::string_view::npos)
                box(static_cast<int>(i))->setChecked(true);
        }
        send("MODE " + m_channel + " +b");
        sListBox1->clear();
        send("TOPIC " + m_channel);
    });
}

void TForm4::editingDone()
{
    sEdit2->setText(editPlaceholder());
    sEdit2->setEnabled(false);
    sButton1->setEnabled(true);
    sButton2->setEnabled(true);
    sButton3->setEnabled(true);
    sButton4->setEnabled(false);
}

void TForm4::sCheckBox6Click()
{
    // Whatever changed it, the box goes back to the letter of the last mode reply.
    const bool registered = m_channelModes.find('r') != std::string::npos;
    if (sCheckBox6->isChecked() != registered)
        sCheckBox6->setChecked(registered);
}

void TForm4::sButton1Click()
{
    const QList<QListWidgetItem*> selected = sListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    m_editedMask = text::fromQString(selected.front()->text());
    sEdit2->setEnabled(true);
    sEdit2->setText(selected.front()->text());
    sButton1->setEnabled(false);
    sButton2->setEnabled(false);
    sButton3->setEnabled(false);
    sButton4->setEnabled(true);
}

void TForm4::sButton2Click()
{
    handler([this] {
        const QList<QListWidgetItem*> selected = sListBox1->selectedItems();
        if (selected.isEmpty())
            return;
        send("MODE " + m_channel + " -b " + text::fromQString(selected.front()->text()));
        delete selected.front();
    });
}

void TForm4::sButton3Click()
{
    handler([this] {
        sListBox1->clear();
        send("MODE " + m_channel + " +b");
    });
}

void TForm4::sButton4Click()
{
    handler([this] {
        const std::string mask = text::fromQString(sEdit2->text());
        if (mask != m_editedMask) {
            send("MODE " + m_channel + " -b " + m_editedMask);
            send("MODE " + m_channel + " +b " + mask);
        }
        editingDone();
    });
}

void TForm4::sButton5Click()
{
    handler([this] {
        std::string plus;
        std::string minus;
        for (int i = 0; i < 6; ++i)
            (box(i)->isChecked() ? plus : minus) += kLetters[static_cast<std::size_t>(i)];
        std::string line = "MODE " + m_channel;
        if (!plus.empty())
            line += " +" + plus;
        if (!minus.empty())
            line += (plus.empty() ? " -" : "-") + minus;
        send(line);
        send("MODE " + m_channel);
        const std::string topic = text::fromQString(sEdit1->text());
        if (topic != m_knownTopic) {
            m_irc.SendTopic(m_channel, topic);
            m_knownTopic = topic;
        }
        accept();
    });
}

void TForm4::topicLoaded(const std::string& topic)
{
    sEdit1->setText(text::toQString(topic));
    m_knownTopic = topic;
}

void TForm4::modesLoaded(const std::string& modes)
{
    m_channelModes = modes;
    if (m_wait)
        m_wait->quit();
}

void TForm4::banLoaded(const std::string& mask)
{
    // A reply cut short carries no mask; an empty row could only be "deleted" as "-b " with nothing after it.
    if (!mask.empty())
        sListBox1->addItem(text::toQString(mask));
}

} // namespace morva
