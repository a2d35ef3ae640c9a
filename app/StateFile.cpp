// StateFile.
#include "app/StateFile.h"

#include "popup/TMSNPopUp.h"
#include "popup/TMouseLabel.h"
#include "popup/TfrmMSNPopUp.h"
#include "skin/SkinTitleBar.h"
#include "text/QtText.h"
#include "ui/main/NickList.h"
#include "ui/main/TForm1.h"

#include <algorithm>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QSaveFile>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace morva {
namespace {

void place(QString& out, const char* name, const QWidget* w)
{
    if (w == nullptr || !w->isVisible())
        return;
    const QPoint c = w->mapToGlobal(w->rect().center());
    out += QStringLiteral("place %1 %2 %3\n").arg(QLatin1String(name)).arg(c.x()).arg(c.y());
}

} // namespace

StateFile::StateFile(TForm1& form, QString path) : m_form(form), m_path(std::move(path))
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &StateFile::refresh);
    m_timer.start();
}

QString StateFile::pathFromEnvironment()
{
    return qEnvironmentVariable("MORVA_STATE_FILE");
}

QString StateFile::picture() const
{
    QString out;
    out += QStringLiteral("active %1\n").arg(text::toQString(m_form.activeWindowName()));
    const QTabWidget* tabs = m_form.sPageControl1;
    for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
        const std::string name = text::fromQString(tabs->tabText(i));
        out += QStringLiteral("tab %1\n").arg(text::toQString(name));
        const int list = m_form.FindUserList(name);
        if (const NickList* l = list >= 0 ? m_form.userListAt(list) : nullptr) {
            QString line = QStringLiteral("nicks ") + text::toQString(name);
            for (const std::string& e : l->entries())
                line += QLatin1Char('\t') + text::toQString(e);
            out += line + QLatin1Char('\n');
        }
    }
    if (const QListWidget* box = m_form.sListBox1) {
        QString line = QStringLiteral("box");
        for (int i = 0; i < box->count(); ++i)
            line += QLatin1Char('\t') + box->item(i)->text();
        out += line + QLatin1Char('\n');
    }
    if (const TMSNPopUp* notifier = m_form.popup()) {
        for (const TfrmMSNPopUp* p : notifier->openPopups())
            if (p->isVisible())
                out += QStringLiteral("popup %1\t%2\n").arg(p->lblTitle()->text(), p->lblText()->text());
    }
    out += QStringLiteral("input %1\n").arg(m_form.sEdit1 ? m_form.sEdit1->text() : QString());
    place(out, "input", m_form.sEdit1);
    place(out, "ToolButton1", m_form.ToolButton1);
    place(out, "ToolButton2", m_form.ToolButton2);
    place(out, "ToolButton3", m_form.ToolButton3);
    place(out, "ToolButton4", m_form.ToolButton4);
    place(out, "ToolButton5", m_form.ToolButton5);
    place(out, "nicklist", m_form.sListBox1);
    if (const SkinTitleBar* bar = m_form.titleBar(); bar && bar->isVisible())
        place(out, "menu", bar->menuButton());
    else
        place(out, "menu", m_form.toolBarMenuButton());
    if (const QListWidget* box = m_form.sListBox1; box && box->isVisible() && box->count() > 0) {
        // Only the rows in sight can be clicked; a big channel's other thousands are skipped unmeasured.
        const QRect sight = box->viewport()->rect();
        const QModelIndex top = box->indexAt(QPoint(sight.left() + 1, sight.top()));
        for (int i = top.isValid() ? top.row() : 0; i < box->count(); ++i) {
            const QRect r = box->visualItemRect(box->item(i));
            if (r.top() > sight.bottom())
                break;
            if (!sight.intersects(r))
                continue;
            const QPoint c = box->viewport()->mapToGlobal(r.center());
            out += QStringLiteral("place nick:%1 %2 %3\n").arg(box->item(i)->text()).arg(c.x()).arg(c.y());
        }
    }
    if (const QTabWidget* tabs = m_form.sPageControl1; tabs && tabs->isVisible()) {
        const QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            const QPoint c = bar->mapToGlobal(bar->tabRect(i).center());
            out += QStringLiteral("place tab:%1 %2 %3\n").arg(bar->tabText(i)).arg(c.x()).arg(c.y());
        }
    }
    return out;
}

void StateFile::refresh()
{
    if (m_form.closed())
        return;
    QElapsedTimer cost;
    cost.start();
    const QString now = picture();
    m_timer.setInterval(std::max<int>(kIntervalMs, static_cast<int>(cost.elapsed()) * kCostFactor));
    if (now == m_last)
        return;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(now.toUtf8());
    if (f.commit())
        m_last = now;
}

} // namespace morva
