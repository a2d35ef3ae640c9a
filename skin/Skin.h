// Skin: the colours of one skin and the reading of a skin file.
#pragma once

#include <optional>

#include <QColor>
#include <QString>

namespace morva {

// The colours a skin gives every window. A skin file ("Skins/<name>.skin") is an INI file whose section
// [Colors] names some of them (Window=#f3f3f3); a colour it leaves out keeps the built-in skin's. Plain value
// type, any thread.
struct Skin
{
    QString name;
    QColor window{0xf3, 0xf3, 0xf3};     // window background
    QColor panel{0xff, 0xff, 0xff};      // tool bar and title bar
    QColor border{0xd6, 0xd6, 0xd6};     // lines between areas, frames of fields
    QColor text{0x1f, 0x1f, 0x1f};       // captions and labels
    QColor mutedText{0x6b, 0x6b, 0x6b};  // inactive tabs, hints
    QColor accent{0x00, 0x67, 0xc0};     // the active tab's mark, focus frames, default buttons
    QColor accentText{0xff, 0xff, 0xff}; // text on the accent colour
    QColor base{0xff, 0xff, 0xff};       // text views, the nick list box, edit fields
    QColor baseText{0x1f, 0x1f, 0x1f};   // text on base
    QColor hover{0xe8, 0xe8, 0xe8};      // buttons and rows under the mouse
    QColor pressed{0xd9, 0xd9, 0xd9};    // buttons held down
    QColor selection{0xcc, 0xe4, 0xf7};  // selected rows and text
    QColor selectionText{0x1f, 0x1f, 0x1f};
    QColor titleBar{0xff, 0xff, 0xff}; // the drawn title bar
    QColor titleText{0x1f, 0x1f, 0x1f};
    QColor closeHover{0xc4, 0x2b, 0x1c}; // the close button under the mouse

    // The built-in skin.
    static Skin builtIn();
    // Reads a skin file over the built-in colours; nothing when the file cannot be read. The skin's name is
    // the file's base name.
    static std::optional<Skin> fromFile(const QString& path);
};

} // namespace morva
