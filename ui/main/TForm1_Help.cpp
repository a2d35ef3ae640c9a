// "Справка": the help file beside the executable, in the system's own viewer.
#include "ui/main/TForm1.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace morva {
namespace {

// Whether the desktop has a program for files like this one. Windows and macOS answer through the open call
// itself; a freedesktop system starts its opener for any file, handled or not, so its registry is asked first.
// Where that cannot be asked, the open call is trusted.
bool hasHandler(const QString& file)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(file);
    return true;
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(file).name()});
    if (!query.waitForStarted(3000))
        return true;
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    return query.exitCode() != 0 || !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

bool openWithDesktop(const QString& file)
{
    return hasHandler(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace

void TForm1::OpenHelp()
{
    const auto open = [this](const QString& file) { return openDocument ? openDocument(file) : openWithDesktop(file); };
    const QDir dir(m_options.exeDir);
    const QString chm = dir.filePath(QStringLiteral("Help.chm"));
    if (QFileInfo::exists(chm) && open(chm))
        return;
    // The same help as a page, for a system without a viewer of compiled help; what happens then is not ours.
    open(dir.filePath(QStringLiteral("Help.html")));
}

} // namespace morva
