// The value types of the popup notifier: options, draw methods, alignments, screen edges and fonts.
#pragma once

#include <initializer_list>

#include <QColor>
#include <QFont>

namespace morva {

enum class TOrientation
{
    mbHorizontal,
    mbVertical
};

enum class TMSNImageDrawMethod
{
    dmActualSize,
    dmTile,
    dmFit
};

enum class TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

// Copied into every popup window; placement does not look at it.
enum class TDefaultMonitor
{
    dmDesktop,
    dmPrimary,
    dmMainForm,
    dmActiveForm
};

enum class TMSNPopupOption
{
    msnAutoOpenURL,    // a hyperlink click opens URL
    msnSystemFont,     // kept for the settings' sake; changes nothing
    msnCascadePopups,  // popups open at the same time stack
    msnAllowScroll,    // popups slide in
    msnAllowHyperlink, // the text is a hyperlink: hover font and OnURLClick
};

// A set of TMSNPopupOption.
class TMSNPopupOptions
{
public:
    constexpr TMSNPopupOptions() = default;
    constexpr TMSNPopupOptions(std::initializer_list<TMSNPopupOption> options)
    {
        for (TMSNPopupOption o : options)
            include(o);
    }
    constexpr bool has(TMSNPopupOption o) const { return (m_bits & bit(o)) != 0; }
    constexpr void include(TMSNPopupOption o) { m_bits |= bit(o); }
    constexpr void exclude(TMSNPopupOption o) { m_bits &= ~bit(o); }
    constexpr bool operator==(const TMSNPopupOptions&) const = default;

private:
    static constexpr unsigned bit(TMSNPopupOption o) { return 1u << static_cast<unsigned>(o); }
    unsigned m_bits = 0;
};

// The side of the screen the taskbar sits on. None: the platform could not tell.
enum class ScreenEdge
{
    Left,
    Top,
    Right,
    Bottom,
    None
};

const char* edgeName(ScreenEdge e);

// A font together with its colour, as the popup's texts use them.
struct PopupFont
{
    QFont font;
    QColor color = Qt::black;
};

} // namespace morva
