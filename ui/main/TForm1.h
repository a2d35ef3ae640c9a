// TForm1: the main window: window registry, nick lists, settings, and the program's start and end.
#pragma once

#include "engine/TIdIRC.h"
#include "ui/commands/AliasList.h"
#include "ui/commands/IgnoreList.h"
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

class QAction;
class QDialog;
class QEventLoop;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace morva {

class ChatLog;
class FramelessFrame;
class Host;
class SkinManager;
class SkinTitleBar;
class TForm7;
class TIRCMemo;
class TMSNPopUp;
class TForm9;

// What the incoming traffic needs of the channel settings dialog: whether it is showing (it then asked for the
// topic and modes itself, and the answers go to it instead of a window) and where a topic reply goes. The dialog
// implements it; the main window holds it without owning it. UI thread only.
class ChannelSettingsLink
{
public:
    virtual ~ChannelSettingsLink() = default;
    virtual bool isShowing() const = 0;
    // The topic reply while showing: into the topic field, remembered as the topic last loaded.
    virtual void topicLoaded(const std::string& topic) = 0;
    // The mode reply while showing: the letters of the channel's modes ("q" when it has none).
    virtual void modesLoaded(const std::string& /*modes*/) {}
    // One ban-list reply while showing: the mask, for the ban list.
    virtual void banLoaded(const std::string& /*mask*/) {}
};

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
        bool autoConnect = false; // "AutoConnect": connect once the window is up
        bool logs = false;        // "Logs": keep a log of the windows
    };

    // --- The colour picker of the input line, created by the main program after this window and not owned here;
    // null until then. (The menus' dialogs are the QDialog pointers with the commands below.)
    TForm7* Form7 = nullptr;

    // --- The engine and the controls (named as the window's layout names them).
    TIdIRC IdIRC1;
    // The channel list, created by the main program after this window and not owned here; null until then. (The
    // channel settings dialog is Form4 below; the replies reach it through setChannelSettings.)
    TForm9* Form9 = nullptr;
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

    // --- Incoming traffic (TForm1_Events.cpp, TForm1_Names.cpp). Bound to the engine by wireEngineEvents; none
    // lets a failure out to the engine.
    void IdIRC1Raw(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ACommand, const std::string& AContent,
                   bool& Suppress);
    void IdIRC1Names(TIdIRC* Sender, TIdIRCUsers* AUsers, TIdIRCChannel* AChannel);
    void IdIRC1NickChange(TIdIRC* Sender, TIdIRCUser* AUser, const std::string& ANewNick);
    void IdIRC1NickChanged(TIdIRC* Sender, const std::string& AOldNick);
    void IdIRC1ChannelMode(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel, const std::string& AChanName,
                           const std::string& AModes);
    void IdIRC1Kick(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCUser* AVictim, TIdIRCChannel* AChannel);
    void IdIRC1Kicked(TIdIRC* Sender, TIdIRCUser* AUser, TIdIRCChannel* AChannel);
    void IdIRC1Send(TIdIRC* Sender, const std::string& ACommand);
    void IdIRC1System(TIdIRC* Sender, TIdIRCUser* AUser, int ACmdCode, const std::string& ACommand,
                      const std::string& AContent);
    // Sets the notifier's title and text and shows one popup.
    void ShowPopUp(const std::string& title, const std::string& text);
    // Whether the sender nick!address is on the ignore list.
    bool InIgnore(const std::string& nick, const std::string& address) const
    {
        return m_ignore.InIgnore(nick, address);
    }
    // The channel settings dialog, once it exists; null (the default) counts as not showing.
    void setChannelSettings(ChannelSettingsLink* link) { m_channelSettings = link; }
    // Pending UI messages run at most this often while a names reply fills a nick list (milliseconds).
    static constexpr int kNamesPumpIntervalMs = 10;

    // --- Toolbar, main menu, nick menu, actions menu and now playing (TForm1_Commands.cpp). Every handler runs on
    // the UI thread; a failure inside one (a direct write without a connection) ends it and shows an error box.
    void ToolButton1Click(QObject* Sender = nullptr); // connect
    void ToolButton2Click(QObject* Sender = nullptr); // disconnect
    void ToolButton3Click(QObject* Sender = nullptr); // join a channel
    void ToolButton4Click(QObject* Sender = nullptr); // leave the window in view
    void ToolButton5Click(QObject* Sender = nullptr); // channel settings
    void ToolButton6Click(QObject* Sender = nullptr); // exit
    void A1Click(QObject* Sender = nullptr);          // "AIMP 2/3"
    void CreateSubMenu();
    void NewMenuClick(QAction* item);
    // Opens "Help.chm" from the executable's folder with the system's handler, or "Help.html" there when the file
    // or a handler is missing; the outcome is ignored (TForm1_Help.cpp).
    void OpenHelp();
    // The modal dialogs the menus open; their owners set them, and a null one opens nothing. Held as QDialog so
    // that the menus need none of their headers.
    QDialog* Form3 = nullptr;  // connection settings
    QDialog* Form4 = nullptr;  // channel settings
    QDialog* Form5 = nullptr;  // appearance
    QDialog* Form6 = nullptr;  // about
    QDialog* Form8 = nullptr;  // ignore list
    QDialog* Form10 = nullptr; // alias editor
    // Tests and tools: the settings the connect command uses, and the shared-memory block the player publishes.
    void setConnectionSettings(const ConnectionSettings& c) { m_connection = c; }
    void setNowPlayingBlock(std::string name) { m_nowPlayingBlock = std::move(name); }

    // --- The input line, "В игнор" and "Справка" (TForm1_Input.cpp, TForm1_Ignore.cpp, TForm1_Help.cpp).
    // Key is a Qt key code; it becomes 0 when the key was used here, and the edit field then does not see it.
    void sEdit1KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    void N32Click(QObject* Sender = nullptr);
    // Ctrl+K in the input line: shows the colour picker; empty while there is none.
    std::function<void()> showColourPicker;
    // Hands a local file to the system's handler; whether one took it. Empty: the desktop's own (tests replace it).
    std::function<bool(const QString& file)> openDocument;

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
    std::vector<std::string>& aliasList() { return m_aliases.Lines(); }
    std::vector<std::string>& ignoreList() { return m_ignore.Masks(); }
    AliasList& aliases() { return m_aliases; }
    IgnoreList& ignore() { return m_ignore; }
    TMSNPopUp* popup() const { return m_popup.get(); }
    const UserFiles& userFiles() const { return m_files; }
    SkinManager& skins() const { return m_skins; }
    SkinTitleBar* titleBar() const { return m_titleBar; }
    // The window logs; null while logging is off.
    ChatLog* chatLog() const { return m_log.get(); }
    QToolButton* toolBarMenuButton() const { return m_toolBarMenuButton; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // Commands (TForm1_Commands.cpp).
    void wireToolBar();
    // Runs a command; an exception out of it is shown in an error box instead of reaching the event loop.
    void runCommand(const std::function<void()>& body);
    // The nick menu's checks: a channel or private window in view (the first tab is not), an entry selected.
    bool firstTabInView() const;
    bool selectedEntry(std::string& entry) const;
    // A nick menu command on the selected user of the window in view; does nothing without both.
    void onSelectedUser(const std::function<void(const std::string& channel, const std::string& nick)>& body);
    // The own-action echo in the window in view, or the not-connected line there when nothing could go out.
    void sendActionToActive(const std::string& text);
    // The input line's key filter (TForm1_Input.cpp).
    void wireInputLine();
    void submitLine(const std::string& line);

    // Incoming traffic helpers (TForm1_Events.cpp).
    struct RawLine;
    void rawPrivmsg(const RawLine& l);
    void rawNotice(const RawLine& l);
    void rawTopicReply(const RawLine& l);
    void rawJoin(const RawLine& l);
    void rawPart(const RawLine& l);
    void rawQuit(const RawLine& l);
    void rawTopic(const RawLine& l);
    // The server replies (TForm1_Replies.cpp).
    void rawWelcome(const RawLine& l);
    void rawWhoisUser(const RawLine& l);
    void rawWhoisServer(const RawLine& l);
    void rawWhoisIdle(const RawLine& l);
    void rawWhoisChannels(const RawLine& l);
    void rawListStart(const RawLine& l);
    void rawListItem(const RawLine& l);
    void rawChannelModes(const RawLine& l);
    void rawBan(const RawLine& l);
    void rawAdmin(const RawLine& l);
    // Appends line to the window of that name, creating it; an empty name shows nothing.
    void showIn(const std::string& window, std::string_view line);
    // Registry position of the text view of the tab at page, or -1.
    int viewOfPage(int page) const;
    // Renames in place, in the nick list at registry position list, every present form of oldNick to the same
    // prefix + newNick; line goes to the view at position view once per renamed entry.
    void renameNickForms(int list, int view, const std::string& oldNick, const std::string& newNick,
                         std::string_view line);
    bool channelSettingsShowing() const;
    // The current local time as the lines show it, built once a second.
    const std::string& timeStamp();

    Host& m_host;
    SkinManager& m_skins;
    TForm1Options m_options;
    UserFiles m_files;
    WindowRegistry m_registry;
    // The window whose nick list the nick list box shows (upper case); empty while it shows none.
    std::string m_boxOwner;
    std::unique_ptr<TMSNPopUp> m_popup;
    AliasList m_aliases;
    IgnoreList m_ignore;
    ChannelSettingsLink* m_channelSettings = nullptr;
    std::string m_stamp;
    long long m_stampSecond = -1;
    ChosenFont m_font;
    ConnectionSettings m_connection;
    std::unique_ptr<ChatLog> m_log; // set while "Logs" is on
    std::string m_nowPlayingBlock = "AIMP2_RemoteInfo";
    bool m_connecting = false;
    bool m_disconnecting = false; // the disconnect command runs; closing its windows lets other clicks in

    QWidget* m_frame = nullptr;
    QVBoxLayout* m_frameLayout = nullptr;
    FramelessFrame* m_frameless = nullptr;
    SkinTitleBar* m_titleBar = nullptr;
    QToolButton* m_toolBarMenuButton = nullptr;
    bool m_registryOpen = false;
    bool m_shownOnce = false;
    bool m_reframing = false;
    bool m_closed = false;
    // A connect made before the window has painted for the first time waits for that painting (at most
    // kFirstPaintWaitMs, for a window that is never exposed) between the link and the registration: the server
    // takes the connection at once, and the first and costliest paint does not interrupt its first replies.
    bool m_firstPaintDone = false;
    QEventLoop* m_firstPaintWait = nullptr;
    static constexpr int kFirstPaintWaitMs = 300;
    void awaitFirstPaint();
};

} // namespace morva
