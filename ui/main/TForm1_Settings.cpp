// The main window's start and end: FormCreate, LoadParam, FormShow, FormClose and SaveParam.
#include "popup/TMSNPopUp.h"
#include "skin/SkinManager.h"
#include "text/QtText.h"
#include "ui/dialogs/StoredValues.h"
#include "ui/dialogs/TForm3.h"
#include "ui/main/ChatLog.h"
#include "ui/main/DisplaySync.h"
#include "ui/main/TForm1.h"

#include <cmath>

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

namespace morva {
namespace {

const QString kAliasFile = QStringLiteral("Aliases.txt");
const QString kIgnoreFile = QStringLiteral("ign.txt");

QString organization()
{
    return QStringLiteral("PelmarSoftware");
}
QString application()
{
    return QStringLiteral("MORVA");
}

std::string readText(const QSettings& s, const char* key, const char* def)
{
    return text::fromQString(readStoredString(s, QLatin1String(key), QString::fromUtf8(def)));
}

} // namespace

void TForm1::FormCreate()
{
    m_registry.Clear();
    m_registryOpen = true;
    m_popup = std::make_unique<TMSNPopUp>();
    m_ignore.Masks().clear();
    m_aliases.Lines() = m_files.load(kAliasFile);
    ParseAliasList();
    m_ignore.Masks() = m_files.load(kIgnoreFile);
    m_popup->TimeOut = 2;
    CreateSubMenu();
    m_font = ChosenFont{};
    m_font.font = font();
    LoadParam();
}

void TForm1::ParseAliasList()
{
    m_aliases.ParseAliasList();
}

void TForm1::LoadParam()
{
    const QSettings s(organization(), application());

    m_connection.host = readStoredHost(s);
    m_connection.port = readStoredInt(s, QStringLiteral("Port"), 6667);
    m_connection.nick = readText(s, "Nick", "NewUser");
    m_connection.realName = readText(s, "RName", "MORVA USER");
    m_connection.ident = readText(s, "Id", "morva");
    m_connection.autoJoin = readText(s, "AJoin", "#Dawnhall");
    m_connection.autoConnect = readStoredBool(s, QStringLiteral("AutoConnect"), false);
    m_connection.logs = readStoredBool(s, QStringLiteral("Logs"), false);
    m_skins.setSkinName(readStoredString(s, QStringLiteral("Skin"), SkinManager::kBuiltInName));
    m_skins.setExtendedBorders(readStoredBool(s, QStringLiteral("sk"), true));

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desk = screen ? screen->geometry().size() : QSize(1024, 768);
    const int left = readStoredInt(s, QStringLiteral("psl"), 0);
    const int top = readStoredInt(s, QStringLiteral("pst"), 0);
    const int width = readStoredInt(s, QStringLiteral("psw"), static_cast<int>(std::lround(desk.width() / 1.2)));
    const int height = readStoredInt(s, QStringLiteral("psh"), static_cast<int>(std::lround(desk.height() / 1.2)));
    applyGeometry(left, top, width, height);

    IdIRC1.Password.clear();
    if (!readText(s, "Id", "morva").empty())
        IdIRC1.Password = decodeStoredPassword(readStoredString(s, QStringLiteral("ps"), QString()));

    // Lines shown from now on are also written to the log folder.
    if (readStoredBool(s, QStringLiteral("Logs"), false))
        m_log = std::make_unique<ChatLog>(QDir(m_options.dataDir).filePath(QStringLiteral("Logs")));
    else
        m_log.reset();

    const std::string fontText = readText(s, "font", "");
    if (!fontText.empty())
        StrToFont(fontText, m_font);
}

void TForm1::applyGeometry(int left, int top, int width, int height)
{
    QRect r(left, top, std::max(width, minimumWidth()), std::max(height, minimumHeight()));
    // A stored place on a screen that is no longer there (or a damaged value) would put the window out of reach:
    // it is brought back onto the primary screen, as large as fits.
    const QScreen* screen = QGuiApplication::primaryScreen();
    bool reachable = false;
    for (const QScreen* sc : QGuiApplication::screens())
        reachable = reachable || sc->geometry().intersected(r).width() >= 100;
    if (screen && !reachable) {
        const QRect avail = screen->availableGeometry();
        r.setSize(r.size().boundedTo(avail.size()).expandedTo(minimumSize()));
        r.moveTopLeft(avail.topLeft());
    }
    move(r.topLeft());
    resize(r.size());
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_reframing || m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    FormShow();
}

void TForm1::FormShow()
{
    // The first paint of the window (a whole window of freshly mapped pixels) is awaited by the first connect,
    // so that it lands neither in the connect wait nor among the server's first replies.
    if (QWindow* window = windowHandle(); window && !window->isExposed())
        window->installEventFilter(this);
    else
        m_firstPaintDone = true;
    // "AutoConnect": the connect command, from the event loop right after the window is up, so that a slow or
    // refused connect never holds up the first paint.
    if (m_connection.autoConnect)
        QTimer::singleShot(0, this, [this] { ToolButton1Click(); });
    if (!m_options.arguments.isEmpty() && m_options.arguments.front().toUpper() == QLatin1String("/COOL"))
        showMessage(QStringLiteral("ЫЫ:)\r\nВы нашли эту пасхалкутеперь вы самый кульный юзер MORVA-а"));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The window paints while it handles the expose; what follows in the event loop comes after the painting.
    if (event->type() == QEvent::Expose && watched == windowHandle() && !m_firstPaintDone) {
        QTimer::singleShot(0, this, [this] {
            // An expose that hides the window (minimised) is not the painting awaited.
            QWindow* window = windowHandle();
            if (m_firstPaintDone || (window && !window->isExposed()))
                return;
            m_firstPaintDone = true;
            if (window)
                window->removeEventFilter(this);
            // The painting is done here; the display copies it in its own time, and the next paint would wait
            // for that copy wherever it falls. Waiting for it now keeps it out of the first replies.
            syncWithDisplay();
            if (m_firstPaintWait)
                m_firstPaintWait->quit();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::awaitFirstPaint()
{
    if (m_firstPaintDone || m_firstPaintWait || m_closed || !isVisible() || isMinimized())
        return;
    QEventLoop wait;
    m_firstPaintWait = &wait;
    QTimer::singleShot(kFirstPaintWaitMs, &wait, &QEventLoop::quit);
    // Between the link and the registration no click or key may act: a command typed now would reach the server
    // before NICK and USER, a disconnect would leave the connect half done.
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    m_firstPaintWait = nullptr;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TForm1::SaveParam()
{
    QSettings s(organization(), application());
    // A minimised or maximised window is stored at its normal place, where the next start shows it.
    const QRect r = (isMinimized() || isMaximized()) ? normalGeometry() : QRect(pos(), size());
    s.setValue(QStringLiteral("psl"), QString::number(r.left()));
    s.setValue(QStringLiteral("pst"), QString::number(r.top()));
    s.setValue(QStringLiteral("psw"), QString::number(r.width()));
    s.setValue(QStringLiteral("psh"), QString::number(r.height()));
}

void TForm1::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_firstPaintWait)
        m_firstPaintWait->quit();
    // From here on no engine event reaches the window, also while the connection is being closed below.
    unwireEngineEvents();
    Timer1.stop();

    SaveParam();
    m_registry.Clear();
    m_registryOpen = false;
    m_popup.reset();
    saveLines(kIgnoreFile, m_ignore.Masks());
    saveLines(kAliasFile, m_aliases.Lines());
    {
        QSettings s(organization(), application());
        s.setValue(QStringLiteral("font"), text::toQString(FontToStr(m_font)));
        s.sync();
    }
    m_ignore.Masks().clear();
    m_aliases.Lines().clear();
    if (IdIRC1.Connected())
        IdIRC1.CloseConnection();
}

void TForm1::saveLines(const QString& fileName, const std::vector<std::string>& lines)
{
    QString error;
    if (!m_files.save(fileName, lines, &error))
        showMessage(QStringLiteral("Не удалось сохранить файл \"%1\": %2").arg(fileName, error), true);
}

} // namespace morva
