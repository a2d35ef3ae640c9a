// SkinManager: the current skin of every window, the list of skins and the extended-borders switch.
#pragma once

#include "skin/Skin.h"

#include <QObject>
#include <QStringList>

namespace morva {

// The skin engine. Skins are the built-in one and the "*.skin" files of the skins folder (looked at anew each
// time the names are asked for). Applying a skin sets the application's style sheet and palette, so every
// window, open or created later, is drawn in it. The extended-borders switch is only held and announced here:
// a window that draws its own frame listens to extendedBordersChanged. One instance, created on the UI thread
// before the first window and living until after the last; UI thread only.
class SkinManager : public QObject
{
    Q_OBJECT

public:
    static inline const QString kBuiltInName = QStringLiteral("MetroUI (internal)");

    explicit SkinManager(QString skinsFolder, QObject* parent = nullptr);

    const QString& skinsFolder() const { return m_folder; }
    // The built-in skin first, then the skin files' names in case-blind alphabetical order.
    QStringList skinNames() const;

    // Switches to the skin of that name (case ignored). An empty or unknown name, or a skin file that cannot be
    // read, gives the built-in skin, so that the windows are never left without one. Returns whether the name
    // was found.
    bool setSkinName(const QString& name);
    // The name of the skin in effect, as the skins list spells it.
    const QString& skinName() const { return m_skin.name; }
    const Skin& skin() const { return m_skin; }

    bool extendedBorders() const { return m_extendedBorders; }
    void setExtendedBorders(bool on);

    // The application style sheet a skin stands for.
    static QString styleSheetFor(const Skin& skin);

signals:
    void skinChanged();
    void extendedBordersChanged(bool on);

private:
    void apply();

    QString m_folder;
    Skin m_skin = Skin::builtIn();
    bool m_extendedBorders = true;
    bool m_applied = false;
};

} // namespace morva
