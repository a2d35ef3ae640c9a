// The real program in a test.
#include "Desktop.h"

#include "text/Cp1251.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace morva::test {
namespace fs = std::filesystem;
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

// Each line of the UTF-8 text as Windows-1251 ending in CR LF, as the program keeps its lists.
std::string listFile(const std::string& utf8)
{
    std::string out;
    std::istringstream in(utf8);
    for (std::string line; std::getline(in, line);)
        out += text::fromUtf8(line) + "\r\n";
    return out;
}

std::string upperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string quoted(const std::string& s)
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

bool stopChild(int& pid, std::chrono::milliseconds wait, int* status)
{
    if (pid <= 0)
        return true;
    ::kill(pid, SIGTERM);
    const auto end = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < end) {
        if (::waitpid(pid, status, WNOHANG) == pid) {
            pid = -1;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, status, 0);
    pid = -1;
    return false;
}

} // namespace

bool eventually(const std::function<bool()>& pred, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (pred())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string builtClientDir()
{
    return MORVA_CLIENT_DIR;
}

std::string artifactDir()
{
    const char* env = std::getenv("MORVA_E2E_ARTIFACTS");
    const std::string dir = env && *env ? env : MORVA_E2E_ARTIFACTS;
    fs::create_directories(dir);
    return dir;
}

// --- VirtualDisplay

VirtualDisplay::VirtualDisplay()
{
    if (::access("/usr/bin/Xvfb", X_OK) != 0)
        return;
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const int devnull = ::open("/dev/null", O_RDWR);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        const std::string fd = std::to_string(fds[1]);
        ::execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(fds[1]);
    m_pid = pid;
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end && number.find('\n') == std::string::npos) {
        if (::poll(&p, 1, 100) > 0) {
            char buf[16];
            const ssize_t n = ::read(fds[0], buf, sizeof buf);
            if (n <= 0)
                break;
            number.append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(fds[0]);
    if (number.find('\n') != std::string::npos)
        m_name = ":" + number.substr(0, number.find('\n'));
}

VirtualDisplay::~VirtualDisplay()
{
    int status = 0;
    stopChild(m_pid, std::chrono::seconds(5), &status);
}

bool VirtualDisplay::screenshot(const std::string& file) const
{
    if (!ok())
        return false;
    const std::string cmd = "DISPLAY=" + m_name + " import -window root " + quoted(file) + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

// --- ClientProcess

ClientProcess::ClientProcess(const ClientProfile& profile) : m_display(profile.display)
{
    char tmpl[] = "/tmp/morva-e2e-XXXXXX";
    if (!::mkdtemp(tmpl))
        return;
    m_dir = tmpl;
    for (const char* sub : {"exe/Skins", "cfg/PelmarSoftware", "data", "cwd", "run"})
        fs::create_directories(m_dir + "/" + sub);
    ::chmod((m_dir + "/run").c_str(), 0700);
    std::error_code ec;
    fs::copy_file(builtClientDir() + "/MORVA", m_dir + "/exe/MORVA", ec);
    fs::copy(builtClientDir() + "/Skins", m_dir + "/exe/Skins", fs::copy_options::recursive, ec);
    if (!profile.aliases.empty())
        writeFile(m_dir + "/exe/Aliases.txt", listFile(profile.aliases));
    if (!profile.ignoreList.empty())
        writeFile(m_dir + "/exe/ign.txt", listFile(profile.ignoreList));
    std::ostringstream conf;
    conf << "[General]\nServer=-1\nHost=127.0.0.1\nPort=" << profile.port << "\nNick=" << profile.nick
         << "\nRName=MORVA e2e\nId=e2e\nAJoin=" << profile.autoJoin
         << "\nAutoConnect=" << (profile.autoConnect ? -1 : 0) << "\nLogs=" << (profile.logs ? -1 : 0)
         << "\npsl=40\npst=30\npsw=1000\npsh=700\n";
    writeFile(m_dir + "/cfg/PelmarSoftware/MORVA.conf", conf.str());

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("DISPLAY=", 0) == 0 || v.rfind("QT_QPA_PLATFORM=", 0) == 0 || v.rfind("XDG_", 0) == 0 ||
            v.rfind("MORVA_", 0) == 0 || v.rfind("ASAN_OPTIONS=", 0) == 0 ||
            v.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0)
            continue;
        env.push_back(v);
    }
    env.push_back("XDG_CONFIG_HOME=" + m_dir + "/cfg");
    env.push_back("XDG_DATA_HOME=" + m_dir + "/data");
    env.push_back("XDG_RUNTIME_DIR=" + m_dir + "/run");
    env.push_back("MORVA_STATE_FILE=" + m_dir + "/state");
    // The display has no session bus; without an address that reaches nothing, Qt's accessibility bridge would
    // have libdbus launch a bus daemon for the display, which outlives the test.
    env.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
    // Under the address sanitizer, the leak report at exit would count Qt's and fontconfig's caches that live
    // to the end of the process; the program's own code is leak-checked by the in-process tests.
    env.push_back("ASAN_OPTIONS=detect_leaks=0");
    env.push_back(m_display.empty() ? std::string("QT_QPA_PLATFORM=offscreen") : "DISPLAY=" + m_display);
    std::vector<char*> envp;
    for (std::string& v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    const std::string exe = m_dir + "/exe/MORVA";
    const std::string out = m_dir + "/client.log";
    const std::string cwd = m_dir + "/cwd";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        if (::chdir(cwd.c_str()) != 0)
            std::_Exit(126);
        char* argv[] = {const_cast<char*>("MORVA"), nullptr};
        ::execve(exe.c_str(), argv, envp.data());
        std::_Exit(127);
    }
    m_pid = pid;
}

ClientProcess::~ClientProcess()
{
    int status = 0;
    stopChild(m_pid, std::chrono::seconds(5), &status);
    if (!m_dir.empty() && !std::getenv("MORVA_E2E_KEEP")) {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
}

bool ClientProcess::running()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

int ClientProcess::close(std::chrono::milliseconds wait)
{
    int status = 0;
    if (!stopChild(m_pid, wait, &status))
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ClientProcess::stateText() const
{
    return readFile(m_dir + "/state");
}

std::multimap<std::string, std::string> ClientProcess::state() const
{
    std::multimap<std::string, std::string> out;
    std::istringstream in(stateText());
    for (std::string line; std::getline(in, line);) {
        const std::size_t sp = line.find(' ');
        out.emplace(line.substr(0, sp), sp == std::string::npos ? std::string() : line.substr(sp + 1));
    }
    return out;
}

std::vector<std::string> ClientProcess::tabs() const
{
    std::vector<std::string> out;
    const auto s = state();
    for (auto [it, end] = s.equal_range("tab"); it != end; ++it)
        out.push_back(it->second);
    return out;
}

bool ClientProcess::hasTab(const std::string& name) const
{
    for (const std::string& t : tabs())
        if (upperAscii(t) == upperAscii(name))
            return true;
    return false;
}

bool ClientProcess::isActive(const std::string& name) const
{
    const auto s = state();
    const auto it = s.find("active");
    return it != s.end() && upperAscii(it->second) == upperAscii(name);
}

std::vector<std::string> ClientProcess::nicks(const std::string& window) const
{
    const auto s = state();
    for (auto [it, end] = s.equal_range("nicks"); it != end; ++it) {
        std::vector<std::string> fields;
        std::istringstream in(it->second);
        for (std::string f; std::getline(in, f, '\t');)
            fields.push_back(f);
        if (!fields.empty() && upperAscii(fields[0]) == upperAscii(window)) {
            std::vector<std::string> entries(fields.begin() + 1, fields.end());
            std::sort(entries.begin(), entries.end());
            return entries;
        }
    }
    return {};
}

bool ClientProcess::place(const std::string& control, int& x, int& y) const
{
    const auto s = state();
    for (auto [it, end] = s.equal_range("place"); it != end; ++it) {
        std::istringstream in(it->second);
        std::string name;
        if (in >> name >> x >> y && upperAscii(name) == upperAscii(control))
            return true;
    }
    return false;
}

std::string ClientProcess::log(const std::string& window) const
{
    // The file takes the window's name in the case the window was opened with.
    std::error_code ec;
    const std::string wanted = upperAscii(window + ".log");
    for (const auto& e : fs::directory_iterator(m_dir + "/data/PelmarSoftware/MORVA/Logs", ec))
        if (upperAscii(e.path().filename().string()) == wanted)
            return readFile(e.path().string());
    return {};
}

bool ClientProcess::logHas(const std::string& window, const std::string& text) const
{
    return log(window).find(text) != std::string::npos;
}

std::string ClientProcess::exeFile(const std::string& name) const
{
    return readFile(m_dir + "/exe/" + name);
}

std::string ClientProcess::settings() const
{
    return readFile(m_dir + "/cfg/PelmarSoftware/MORVA.conf");
}

bool ClientProcess::click(const std::string& control)
{
    int x = 0, y = 0;
    if (m_display.empty() || !place(control, x, y))
        return false;
    const std::string cmd = "DISPLAY=" + m_display + " xdotool mousemove " + std::to_string(x) + " " +
                            std::to_string(y) + " sleep 0.1 click 1 >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

bool ClientProcess::key(const std::string& keys)
{
    if (m_display.empty())
        return false;
    const std::string cmd = "DISPLAY=" + m_display + " xdotool key --delay 20 " + keys + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

bool ClientProcess::type(const std::string& text)
{
    if (m_display.empty())
        return false;
    const std::string cmd = "DISPLAY=" + m_display + " xdotool type --delay 10 -- " + quoted(text) + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

bool ClientProcess::typeInto(const std::string& control, const std::string& text)
{
    return click(control) && type(text) && key("Return");
}

} // namespace morva::test
