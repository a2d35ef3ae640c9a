// The main window: construction, layout, menus, skin and frame, and the engine's event bindings.
#include "ui/main/TForm1.h"

#include "engine/Host.h"
#include "popup/TMSNPopUp.h"
#include "resources/MorvaResources.h"
#include "skin/FramelessFrame.h"
#include "skin/SkinIcon.h"
#include "skin/SkinManager.h"
#include "skin/SkinTitleBar.h"
#include "ui/main/ChatLog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace morva {
namespace {

TForm1Options completed(TForm1Options o)
{
    if (o.exeDir.isEmpty())
        o.exeDir = QCoreApplication::applicationDirPath();
    if (o.dataDir.isEmpty())
        o.dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!o.useArguments) {
        o.arguments = QCoreApplication::arguments().mid(1);
        o.useArguments = true;
    }
    return o;
}

} // namespace

TForm1::TForm1(Host& host, SkinManager& skins, TForm1Options options, QWidget* parent)
    : QWidget(parent), IdIRC1(host), m_host(host), m_skins(skins), m_options(completed(std::move(options))),
      m_files(m_options.exeDir, m_options.dataDir)
{
    initMorvaResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("MORVA"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/morva.png")));
    setMinimumSize(600, 460);
    buildMenus();
    buildLayout();
    wireToolBar();
    Timer1.setInterval(500);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(&Timer1); });
    connect(sPageControl1, &QTabWidget::currentChanged, this, [this](int) { sPageControl1Change(sPageControl1); });
    connect(&m_skins, &SkinManager::skinChanged, this, &TForm1::applySkinColours);
    connect(&m_skins, &SkinManager::extendedBordersChanged, this, &TForm1::applyExtendedBorders);
    applySkinColours();
    applyExtendedBorders(m_skins.extendedBorders());
    FormCreate();
    wireEngineEvents();
    wireInputLine();
}

TForm1::~TForm1()
{
    // The engine outlives nothing of ours: no event may reach a half-destroyed window.
    unwireEngineEvents();
}

QToolButton* TForm1::addToolButton(const char* name, const char* icon, const QString& hint)
{
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(QLatin1String(name));
    b->setProperty("morvaIcon", QString(QStringLiteral(":/icons/") + QLatin1String(icon) + QStringLiteral(".png")));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    ToolBar1->layout()->addWidget(b);
    return b;
}

void TForm1::buildLayout()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("formFrame"));
    m_frame->setAttribute(Qt::WA_StyledBackground);
    outer->addWidget(m_frame);
    m_frameless = new FramelessFrame(this, m_frame);

    m_frameLayout = new QVBoxLayout(m_frame);
    m_frameLayout->setSpacing(0);
    m_titleBar = new SkinTitleBar(this, m_frameless, MainMenu, m_frame);
    m_frameLayout->addWidget(m_titleBar);

    ToolBar1 = new QWidget(m_frame);
    ToolBar1->setObjectName(QStringLiteral("toolBar"));
    ToolBar1->setAttribute(Qt::WA_StyledBackground);
    auto* tools = new QHBoxLayout(ToolBar1);
    tools->setContentsMargins(6, 4, 6, 4);
    tools->setSpacing(2);
    m_toolBarMenuButton = makeMenuButton(MainMenu, ToolBar1);
    tools->addWidget(m_toolBarMenuButton);
    tools->addSpacing(6);
    ToolButton1 = addToolButton("ToolButton1", "connect", QStringLiteral("Подключится к серверу"));
    ToolButton2 = addToolButton("ToolButton2", "disconnect", QStringLiteral("Отключится от сервера"));
    tools->addSpacing(8);
    ToolButton3 = addToolButton("ToolButton3", "join", QStringLiteral("Войти..."));
    ToolButton4 = addToolButton("ToolButton4", "leave", QStringLiteral("Выход с текущего канала"));
    ToolButton5 = addToolButton("ToolButton5", "channel", QStringLiteral("Настройки канала"));
    tools->addStretch(1);
    ToolButton6 = addToolButton("ToolButton6", "exit", QStringLiteral("Выйти из программы"));
    m_frameLayout->addWidget(ToolBar1);

    auto* body = new QWidget(m_frame);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(6, 6, 6, 6);
    bodyLayout->setSpacing(6);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    sPageControl1 = new QTabWidget(body);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setDocumentMode(false);
    sPageControl1->setUsesScrollButtons(true);
    sPageControl1->setElideMode(Qt::ElideRight);
    sPageControl1->setFocusPolicy(Qt::NoFocus);
    middle->addWidget(sPageControl1, 1);
    sListBox1 = new QListWidget(body);
    sListBox1->setObjectName(QStringLiteral("sListBox1"));
    sListBox1->setFixedWidth(145);
    sListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    sListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    sListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every entry is one line of the same font: the box need not measure ten thousand of them to lay them out.
    sListBox1->setUniformItemSizes(true);
    connect(sListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { NickMenu->popup(sListBox1->viewport()->mapToGlobal(p)); });
    middle->addWidget(sListBox1);
    bodyLayout->addLayout(middle, 1);
    sEdit1 = new QLineEdit(body);
    sEdit1->setObjectName(QStringLiteral("sEdit1"));
    sEdit1->setPlaceholderText(QStringLiteral("Введите сообщение или команду..."));
    bodyLayout->addWidget(sEdit1);
    m_frameLayout->addWidget(body, 1);
    setFocusProxy(sEdit1);
}

void TForm1::applySkinColours()
{
    const Skin& s = m_skins.skin();
    m_titleBar->setGlyphColor(s.titleText);
    for (QToolButton* b : {ToolButton1, ToolButton2, ToolButton3, ToolButton4, ToolButton5, ToolButton6})
        b->setIcon(skinIcon(b->property("morvaIcon").toString(), s));
}

void TForm1::applyExtendedBorders(bool on)
{
    // A window changes its frame only by being shown again; that second show is not the form's FormShow.
    const bool visible = isVisible();
    const QRect geometry = this->geometry();
    m_reframing = true;
    setWindowFlag(Qt::FramelessWindowHint, on);
    m_frame->setProperty("extended", on);
    m_frame->style()->unpolish(m_frame);
    m_frame->style()->polish(m_frame);
    const int grip = on ? FramelessFrame::kGrip : 0;
    m_frameLayout->setContentsMargins(on ? 1 : 0, on ? 1 : 0, on ? 1 : 0, grip);
    m_frameless->setActive(on);
    m_titleBar->setVisible(on);
    m_toolBarMenuButton->setVisible(!on);
    if (visible) {
        setGeometry(geometry);
        show();
    }
    m_reframing = false;
}

void TForm1::unwireEngineEvents()
{
    IdIRC1.OnRaw = nullptr;
    // Not while the connect waits inside this very handler (a close during the wait): it does nothing once closed.
    if (!m_firstPaintWait)
        IdIRC1.OnConnect = nullptr;
    IdIRC1.OnNames = nullptr;
    IdIRC1.OnNickChange = nullptr;
    IdIRC1.OnNickChanged = nullptr;
    IdIRC1.OnChannelMode = nullptr;
    IdIRC1.OnKick = nullptr;
    IdIRC1.OnKicked = nullptr;
    IdIRC1.OnSend = nullptr;
    IdIRC1.OnSystem = nullptr;
}

void TForm1::showMessage(const QString& text, bool warning)
{
    if (m_options.messageBox) {
        m_options.messageBox(text, warning);
        return;
    }
    if (warning)
        QMessageBox::warning(isVisible() ? this : nullptr, QStringLiteral("MORVA"), text);
    else
        QMessageBox::information(isVisible() ? this : nullptr, QStringLiteral("MORVA"), text);
}

} // namespace morva
