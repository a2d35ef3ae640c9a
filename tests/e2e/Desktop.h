// The real program in a test: a virtual X display, and MORVA started from a copy of its build with a profile of
// its own, watched through its state file and its logs and driven with xdotool.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace morva::test {

// An Xvfb display of its own (the number chosen by the server); ok() is false when Xvfb is missing.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return m_pid > 0 && !m_name.empty(); }
    const std::string& name() const { return m_name; } // ":93"
    // Saves the whole screen as a PNG (ImageMagick's import); false when that failed.
    bool screenshot(const std::string& file) const;

private:
    int m_pid = -1;
    std::string m_name;
};

// What the client starts with.
struct ClientProfile
{
    int port = 0;
    std::string nick = "Gost";
    std::string autoJoin = "#Dawnhall";
    bool autoConnect = true;
    bool logs = true;
    std::string aliases;    // "Aliases.txt" beside the executable, UTF-8 here, Windows-1251 on disk
    std::string ignoreList; // "ign.txt"
    std::string display;    // an X display, or empty for the offscreen platform
};

// One run of the real binary. Everything lives in a temporary folder removed at the end: the executable's
// folder (a copy of the binary and its skins), the settings and data folders, the current folder.
class ClientProcess
{
public:
    explicit ClientProcess(const ClientProfile& profile);
    ~ClientProcess();
    ClientProcess(const ClientProcess&) = delete;
    ClientProcess& operator=(const ClientProcess&) = delete;

    bool running();
    // Asks the program to close as a user would (a termination request closes the main window) and waits for it.
    // Returns the exit status, or -1 when it had to be killed.
    int close(std::chrono::milliseconds wait = std::chrono::seconds(10));

    // The state file as key -> lines ("tab", "nicks", "popup", "place", ...), read afresh.
    std::multimap<std::string, std::string> state() const;
    std::string stateText() const;
    std::vector<std::string> tabs() const;
    // Whether a tab of that name is open / in view, case ignored as the program ignores it.
    bool hasTab(const std::string& name) const;
    bool isActive(const std::string& name) const;
    // The entries of a window's nick list, sorted by their bytes.
    std::vector<std::string> nicks(const std::string& window) const;
    // The centre of a control on the screen ("input", "ToolButton3", ...); false when not known.
    bool place(const std::string& control, int& x, int& y) const;

    // The window's log, UTF-8, "" when missing.
    std::string log(const std::string& window) const;
    bool logHas(const std::string& window, const std::string& text) const;

    std::string exeFile(const std::string& name) const; // contents of a file in the executable's folder
    std::string settings() const;                       // the settings file
    const std::string& folder() const { return m_dir; }

    // Clicks a control and types text, then Enter (xdotool on the client's display).
    bool typeInto(const std::string& control, const std::string& text);
    bool click(const std::string& control);
    bool key(const std::string& keys);
    bool type(const std::string& text);

private:
    std::string m_dir;
    std::string m_display;
    int m_pid = -1;
};

// Polls pred every 50 ms until it holds or the time is up.
bool eventually(const std::function<bool()>& pred, std::chrono::milliseconds limit = std::chrono::seconds(10));

// The folder that holds the built MORVA and its skins, and the test's output folder for screenshots.
std::string builtClientDir();
std::string artifactDir();

} // namespace morva::test
