// The popup notifier: settings of the popup windows and the stacking of those open at the same time.
#pragma once

#include "popup/PopupPlatform.h"
#include "popup/PopupTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>

class QWidget;

namespace morva {

class TfrmMSNPopUp;
class TMSNPopUp;

using TMSNPopUpNotify = std::function<void(TMSNPopUp* Sender)>;
using TURLEvent = std::function<void(TMSNPopUp* Sender, const std::string& URL)>;

// A component without a window: it holds the settings and creates one TfrmMSNPopUp per Popup(). The main
// window owns it; UI thread only. It owns the popup windows it opened and closes those still open when it
// goes, because they share its fonts and pictures. Texts are Windows-1251.
class TMSNPopUp
{
public:
    // The address a left click on the text opens while nobody sets URL.
    static constexpr const char* DefaultURL = "http://www.example.com/";

    explicit TMSNPopUp(std::unique_ptr<PopupPlatform> platform = nullptr);
    ~TMSNPopUp();
    TMSNPopUp(const TMSNPopUp&) = delete;
    TMSNPopUp& operator=(const TMSNPopUp&) = delete;

    std::string Text = "text";
    std::string URL = DefaultURL;
    QImage IconBitmap;
    int IconLeft = 8;
    int IconTop = 8;
    int TimeOut = 10; // seconds fully shown
    int Width = 148;
    int Height = 121;
    QColor GradientColor1{0x99, 0xCC, 0xFF};
    QColor GradientColor2{0xFF, 0xFF, 0xFF};
    TOrientation GradientOrientation = TOrientation::mbVertical;
    int ScrollSpeed = 9; // pixels per animation step, 1 to 50
    PopupFont Font;
    PopupFont HoverFont;
    std::string Title = "title";
    PopupFont TitleFont;
    TMSNPopupOptions Options{TMSNPopupOption::msnAutoOpenURL, TMSNPopupOption::msnCascadePopups,
                             TMSNPopupOption::msnAllowScroll, TMSNPopupOption::msnAllowHyperlink};
    TAlignment TextAlignment = TAlignment::taCenter;
    TMSNImageDrawMethod BackgroundDrawMethod = TMSNImageDrawMethod::dmActualSize;
    Qt::CursorShape TextCursor = Qt::ArrowCursor;
    int PopupMarge = 2;   // gap between stacked popups
    int PopupStartX = 16; // from the side of the work area
    int PopupStartY = 2;  // from the bottom (or top) of the work area
    TDefaultMonitor DefaultMonitor = TDefaultMonitor::dmDesktop;
    QImage BackgroundImage; // replaces the gradient when not empty

    TMSNPopUpNotify OnClick; // clicks other than a hyperlink click
    TURLEvent OnURLClick;    // a left click on the text while it is a hyperlink

    // Shows one popup with the current settings. False when a stacked popup would leave the work area; nothing
    // is shown then.
    bool Popup();
    // Sets Title and Text and shows a popup.
    void ShowPopUp(const std::string& title, const std::string& text);

    int PopupCount() const { return m_popupCount; }
    int CascadeOffset() const { return m_cascadeOffset; }
    ScreenEdge LastTaskbarEdge() const { return m_lastTaskbarEdge; }

    // The taskbar edge as the popups use it. A desktop without a visible taskbar counts as one at the bottom,
    // so that popups are placed, slide and time out there as usual.
    ScreenEdge TaskbarEdge();
    QRect WorkArea();
    PopupPlatform& platform() { return *m_platform; }

    // The popup windows open now, oldest first.
    const std::vector<TfrmMSNPopUp*>& openPopups() const { return m_windows; }

private:
    friend class TfrmMSNPopUp;
    // The window takes back its place in the stack and its count as it is freed.
    void popupFreed(TfrmMSNPopUp* window);
    void addCascadeOffset(int delta) { m_cascadeOffset += delta; }
    void resetCascadeOffset() { m_cascadeOffset = 0; }
    bool stackedPopupFits(ScreenEdge edge, const QRect& workArea) const;

    std::unique_ptr<PopupPlatform> m_platform;
    std::vector<TfrmMSNPopUp*> m_windows;
    int m_popupCount = 0;
    int m_cascadeOffset = 0;
    ScreenEdge m_lastTaskbarEdge = ScreenEdge::Left;
};

} // namespace morva
