// The skin engine: skin lookup and the application style sheet built from a skin's colours.
#include "skin/SkinManager.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QStyleFactory>

namespace morva {

SkinManager::SkinManager(QString skinsFolder, QObject* parent) : QObject(parent), m_folder(std::move(skinsFolder)) {}

QStringList SkinManager::skinNames() const
{
    QStringList files;
    const QDir dir(m_folder);
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.skin")}, QDir::Files | QDir::Readable))
        files << f.completeBaseName();
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    files.removeIf([](const QString& n) { return n.compare(kBuiltInName, Qt::CaseInsensitive) == 0; });
    files.prepend(kBuiltInName);
    return files;
}

bool SkinManager::setSkinName(const QString& name)
{
    Skin next = Skin::builtIn();
    bool found = name.compare(kBuiltInName, Qt::CaseInsensitive) == 0;
    if (!found && !name.isEmpty()) {
        const QDir dir(m_folder);
        for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.skin")}, QDir::Files)) {
            if (f.completeBaseName().compare(name, Qt::CaseInsensitive) != 0)
                continue;
            if (auto s = Skin::fromFile(f.absoluteFilePath())) {
                next = *s;
                found = true;
            }
            break;
        }
    }
    const bool changed = next.name != m_skin.name || !m_applied;
    m_skin = next;
    apply();
    if (changed)
        emit skinChanged();
    return found;
}

void SkinManager::setExtendedBorders(bool on)
{
    if (on == m_extendedBorders)
        return;
    m_extendedBorders = on;
    emit extendedBordersChanged(on);
}

void SkinManager::apply()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    if (!m_applied) {
        // One style under every skin, so that the style sheet alone decides how a skin looks.
        if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
            QApplication::setStyle(fusion);
        m_applied = true;
    }
    QPalette p;
    p.setColor(QPalette::Window, m_skin.window);
    p.setColor(QPalette::WindowText, m_skin.text);
    p.setColor(QPalette::Base, m_skin.base);
    p.setColor(QPalette::AlternateBase, m_skin.window);
    p.setColor(QPalette::Text, m_skin.baseText);
    p.setColor(QPalette::Button, m_skin.panel);
    p.setColor(QPalette::ButtonText, m_skin.text);
    p.setColor(QPalette::Highlight, m_skin.selection);
    p.setColor(QPalette::HighlightedText, m_skin.selectionText);
    p.setColor(QPalette::ToolTipBase, m_skin.panel);
    p.setColor(QPalette::ToolTipText, m_skin.text);
    p.setColor(QPalette::PlaceholderText, m_skin.mutedText);
    p.setColor(QPalette::Link, m_skin.accent);
    QApplication::setPalette(p);
    app->setStyleSheet(styleSheetFor(m_skin));
}

QString SkinManager::styleSheetFor(const Skin& s)
{
    QString css = QStringLiteral(R"(
QWidget { color: @text; }
QWidget#formFrame { background: @window; }
QWidget#formFrame[extended="true"] { border: 1px solid @border; }
QWidget#titleBar { background: @titleBar; border-bottom: 1px solid @border; }
QLabel#titleLabel { color: @titleText; font-weight: 600; padding-left: 6px; }
QToolButton#menuButton, QWidget#toolBar QToolButton#menuButton { background: @accent; color: @accentText; border: none; border-radius: 4px;
    padding: 3px 12px; font-weight: 700; letter-spacing: 1px; }
QToolButton#menuButton:hover, QWidget#toolBar QToolButton#menuButton:hover { background: @accentHover; }
QToolButton#menuButton:pressed, QToolButton#menuButton:open, QWidget#toolBar QToolButton#menuButton:pressed,
QWidget#toolBar QToolButton#menuButton:open { background: @accentPressed; }
QToolButton#menuButton::menu-indicator { image: none; width: 0px; }
QToolButton#captionButton, QToolButton#captionClose { background: transparent; border: none; border-radius: 0px;
    min-width: 44px; min-height: 30px; }
QToolButton#captionButton:hover { background: @hover; }
QToolButton#captionButton:pressed { background: @pressed; }
QToolButton#captionClose:hover, QToolButton#captionClose:pressed { background: @closeHover; }
QWidget#toolBar { background: @panel; border-bottom: 1px solid @border; }
QWidget#toolBar QToolButton { background: transparent; border: 1px solid transparent; border-radius: 4px;
    padding: 4px; }
QWidget#toolBar QToolButton:hover { background: @hover; border-color: @border; }
QWidget#toolBar QToolButton:pressed { background: @pressed; }
QTabWidget::pane { border: 1px solid @border; border-radius: 0px; background: @base; top: -1px; }
QTabBar::tab { background: transparent; color: @mutedText; padding: 6px 14px; margin-right: 2px;
    border: 1px solid transparent; border-bottom: none; border-top-left-radius: 4px; border-top-right-radius: 4px; }
QTabBar::tab:hover { background: @hover; color: @text; }
QTabBar::tab:selected { background: @base; color: @baseText; border-color: @border;
    border-bottom: 2px solid @accent; }
QListWidget, QListView { background: @base; color: @baseText; border: 1px solid @border; outline: none; }
QListWidget { padding: 2px 3px; }
QListWidget::item { padding: 2px 0px; }
QListWidget::item:hover { background: @hover; }
QListWidget::item:selected { background: @selection; color: @selectionText; }
QLineEdit { background: @base; color: @baseText; border: 1px solid @border; border-radius: 4px; padding: 5px 8px;
    selection-background-color: @selection; selection-color: @selectionText; }
QLineEdit:focus { border: 1px solid @accent; }
QLineEdit:disabled { background: @window; color: @mutedText; }
QPushButton { background: @panel; color: @text; border: 1px solid @border; border-radius: 4px; padding: 5px 16px;
    min-width: 64px; }
QPushButton:hover { background: @hover; }
QPushButton:pressed { background: @pressed; }
QPushButton:default { background: @accent; color: @accentText; border-color: @accent; }
QCheckBox { spacing: 6px; }
QComboBox { background: @base; color: @baseText; border: 1px solid @border; border-radius: 4px; padding: 4px 8px; }
QMenu { background: @panel; color: @text; border: 1px solid @border; padding: 4px; }
QMenu::item { padding: 6px 28px 6px 20px; border-radius: 3px; }
QMenu::item:selected { background: @selection; color: @selectionText; }
QMenu::item:disabled { color: @mutedText; }
QMenu::separator { height: 1px; background: @border; margin: 4px 8px; }
QToolTip { background: @panel; color: @text; border: 1px solid @border; padding: 4px 6px; }
QScrollBar:vertical { background: @base; width: 12px; margin: 0px; border: none; }
QScrollBar::handle:vertical { background: @scrollHandle; min-height: 24px; border-radius: 3px; margin: 2px 3px; }
QScrollBar::handle:vertical:hover { background: @mutedText; }
QScrollBar:horizontal { background: @base; height: 12px; margin: 0px; border: none; }
QScrollBar::handle:horizontal { background: @scrollHandle; min-width: 24px; border-radius: 3px; margin: 3px 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)");
    // clang-format off
    const std::pair<const char*, QColor> colours[] = {
        {"@accentHover",   s.accent.lighter(112)}, {"@accentPressed", s.accent.darker(115)},
        {"@scrollHandle",  s.border.darker(110)},  {"@selectionText", s.selectionText},
        {"@selection",     s.selection},           {"@window",        s.window},
        {"@panel",         s.panel},               {"@border",        s.border},
        {"@mutedText",     s.mutedText},           {"@accentText",    s.accentText},
        {"@accent",        s.accent},              {"@baseText",      s.baseText},
        {"@base",          s.base},                {"@hover",         s.hover},
        {"@pressed",       s.pressed},             {"@titleBar",      s.titleBar},
        {"@titleText",     s.titleText},           {"@closeHover",    s.closeHover},
        {"@text",          s.text},
    };
    // clang-format on
    // Longer names first where one name starts another (@accentText before @accent).
    for (const auto& [key, colour] : colours)
        css.replace(QLatin1String(key), colour.name());
    return css;
}

} // namespace morva
