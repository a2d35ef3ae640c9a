// TForm1: the main window: window registry, nick lists, settings, and the program's start and end.
#pragma once

#include "engine/TIdIRC.h"
#include "ui/dialogs/SettingEncodings.h"
#include "ui/main/UserFiles.h"
#include "ui/main/WindowRegistry.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QStringList>
#include <QTimer>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace morva {

class FramelessFrame;
class Host;
class SkinManager;
class SkinTitleBar;
class TIRCMemo;
class TMSNPopUp;

// What the main window takes from the program around it. Empty fields take the running program's values.
struct TForm1Options
{
    QString exeDir;        // the executable's folder ("Aliases.txt", "ign.txt")
    QString dataDir;       // the per-user data folder, where those files go when exeDir cannot be written
    QStringList arguments; // the command line after the program name
    bool useArguments = false;
    // Shows a message box; a warning when the second argument is true. Default: a modal QMessageBox.
    std::function<void(const QString& text, bool warning)> messageBox;
};

// The main window. It owns the engine IdIRC1, the window registry (a text view, a tab and a nick list per
// window name), the popup notifier, the alias and ignore lists and the chosen font. Creating it runs FormCreate
// (which ends with LoadParam); closing it runs FormClose once. Everything here runs on the UI thread; engine
// events reach it there, and only while it is open.
//
// The registry hands out positions: FindMemo(name) is the position of the window's text view, FindUserList(name)
// that of its nick list; memoAt/userListAt give the objects. A position stays valid until the next DeleteTabs.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1(Host& host, SkinManager& skins, TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The connection settings loaded at start, held for the connect command and the automatic join.
    struct ConnectionSettings
    {
        std::string host;
        int port = 6667;
        std::string nick = "NewUser";
        std::string realName = "MORVA USER";
        std::string ident = "morva";
        std::string autoJoin = "#Dawnhall";
    };

    // --- The engine and the controls (named as the window's layout names them).
    TIdIRC IdIRC1;
    QWidget* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr; // connect
    QToolButton* ToolButton2 = nullptr; // disconnect
    QToolButton* ToolButton3 = nullptr; // join
    QToolButton* ToolButton4 = nullptr; // leave the current window
    QToolButton* ToolButton5 = nullptr; // channel settings
    QToolButton* ToolButton6 = nullptr; // exit
    QTabWidget* sPageControl1 = nullptr;
    QListWidget* sListBox1 = nullptr;
    QLineEdit* sEdit1 = nullptr;
    QMenu* MainMenu = nullptr;    // dropped down by the "MORVA" button
    QMenu* NickMenu = nullptr;    // the nick list box's context menu
    QMenu* ActionsMenu = nullptr; // "Действия" in NickMenu
    QTimer Timer1;

    // --- Window registry.
    int FindMemo(const std::string& name);
    int FindUserList(const std::string& name) const;
    bool DeleteTabs(const std::string& name);
    void sPageControl1Change(QObject* Sender = nullptr);
    void Timer1Timer(QObject* Sender = nullptr);
    // Enables Timer1 unless it already runs: one refresh of the nick list box, 500 ms after the first call.
    void startTimer1();

    TIRCMemo* memoAt(int i) const { return m_registry.viewAt(i); }
    QWidget* tabAt(int i) const { return m_registry.tabAt(i); }
    NickList* userListAt(int i) const { return m_registry.listAt(i); }
    const WindowRegistry& registry() const { return m_registry; }
    // The caption of the tab in view; empty when there is no tab.
    std::string activeWindowName() const;

    // --- Nick lists; channel names are looked up in upper case.
    int FindNickEntry(const std::string& nick, const std::string& channel) const;
    void AddNick(const std::string& channel, const std::string& entry);
    void DelNick(const std::string& channel, const std::string& nick);

    // --- Start, settings and end.
    void FormCreate();
    void LoadParam();
    void FormShow();
    void FormClose();
    void SaveParam();
    void ParseAliasList();
    bool closed() const { return m_closed; }

    const ConnectionSettings& connectionSettings() const { return m_connection; }
    ChosenFont& chosenFont() { return m_font; }
    std::vector<std::string>& aliasList() { return m_aliases; }
    std::vector<std::string>& ignoreList() { return m_ignore; }
    TMSNPopUp* popup() const { return m_popup.get(); }
    const UserFiles& userFiles() const { return m_files; }
    SkinManager& skins() const { return m_skins; }
    SkinTitleBar* titleBar() const { return m_titleBar; }
    QToolButton* toolBarMenuButton() const { return m_toolBarMenuButton; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    QToolButton* addToolButton(const char* name, const char* icon, const QString& hint);
    void applyExtendedBorders(bool on);
    void applySkinColours();
    void applyGeometry(int left, int top, int width, int height);
    // All On... bindings of the engine sit here; unwireEngineEvents drops them all.
    void wireEngineEvents();
    void unwireEngineEvents();
    void saveLines(const QString& fileName, const std::vector<std::string>& lines);
    void showMessage(const QString& text, bool warning = false);

    Host& m_host;
    SkinManager& m_skins;
    TForm1Options m_options;
    UserFiles m_files;
    WindowRegistry m_registry;
    std::unique_ptr<TMSNPopUp> m_popup;
    std::vector<std::string> m_aliases;
    std::vector<std::string> m_ignore;
    ChosenFont m_font;
    ConnectionSettings m_connection;

    QWidget* m_frame = nullptr;
    QVBoxLayout* m_frameLayout = nullptr;
    FramelessFrame* m_frameless = nullptr;
    SkinTitleBar* m_titleBar = nullptr;
    QToolButton* m_toolBarMenuButton = nullptr;
    bool m_registryOpen = false;
    bool m_shownOnce = false;
    bool m_reframing = false;
    bool m_closed = false;
};

} // namespace morva
