// StateFile: a plain-text picture of the main window for the end-to-end tests and the demo's checks.
#pragma once

#include <QString>
#include <QTimer>

namespace morva {

class TForm1;

// When the environment names a file in MORVA_STATE_FILE, the program keeps there, in UTF-8, what a user sees:
// the tab in view, every tab with its nick list, the nick list box, and where the controls a test drives sit on
// the screen. It looks every 100 ms and rewrites the file (whole, through a temporary file) only when the
// picture changed; a picture of big nick lists is costly to take, so the pause between two looks grows to 20
// times what the last one took (at most 5 % of the time goes to it, and a flood is not slowed by its own
// observer). Without the variable nothing runs. UI thread only; lives as long as the main window.
class StateFile : public QObject
{
public:
    StateFile(TForm1& form, QString path);
    static QString pathFromEnvironment();
    QString picture() const;

private:
    void refresh();

    TForm1& m_form;
    QString m_path;
    QString m_last;
    QTimer m_timer;
    static constexpr int kIntervalMs = 100;
    static constexpr int kCostFactor = 20;
};

} // namespace morva
