// A main window whose engine is connected to the loopback test server, with helpers that feed it lines and check
// what its windows show, character by character.
#pragma once

#include "FormFixture.h"
#include "popup/TMSNPopUp.h"
#include "popup/TMouseLabel.h"
#include "popup/TfrmMSNPopUp.h"
#include "tests/support/FakeServer.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "view/AppendLine.h"
#include "view/TIRCMemo.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

namespace morva::test {

// "^B", "^C", "^A", "^O", "^V", "^_" written out as their bytes; UTF-8 Russian to Windows-1251.
inline std::string coded(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '^' && i + 1 < utf8.size()) {
            const char c = utf8[i + 1];
            const char byte = c == 'B'   ? '\x02'
                              : c == 'C' ? '\x03'
                              : c == 'A' ? '\x01'
                              : c == 'O' ? '\x0f'
                              : c == 'V' ? '\x16'
                              : c == '_' ? '\x1f'
                                         : '\0';
            if (byte) {
                out += byte;
                ++i;
                continue;
            }
        }
        out += utf8[i];
    }
    return text::fromUtf8(out);
}

class TrafficFixture : public FormFixture
{
protected:
    static constexpr const char* kSystem = "Система";

    void SetUp() override
    {
        FormFixture::SetUp();
        beforeCreate();
        create();
        TIdIRC& irc = form->IdIRC1;
        irc.Host = "127.0.0.1";
        irc.Port = server.port();
        irc.BoundIP = "127.0.0.1";
        irc.SetNick("me");
        irc.Username = "ident";
        irc.RealName = "Real Name";
        beforeConnect();
        // The connect command opens the system window first.
        form->FindMemo(sys());
        irc.Connect(10);
        ASSERT_TRUE(server.waitClient(pump()));
        ASSERT_TRUE(server.waitFor(" :Real Name\r\n", pump()));
    }

    virtual void beforeCreate() {}
    virtual void beforeConnect() {}

    static FakeServer::Pump pump()
    {
        return [](int ms) { QTest::qWait(ms); };
    }
    static std::string sys() { return text::fromUtf8(kSystem); }

    // One line as the reader would hand it over; UTF-8 in the test, Windows-1251 on the wire.
    void in(std::string_view utf8) { form->IdIRC1.InjectLine(coded(utf8)); }

    // The text view of a window, without creating it; null when there is none.
    TIRCMemo* view(std::string_view utf8Name) const
    {
        const WindowRegistry& r = form->registry();
        return r.viewAt(r.IndexOf(text::fromUtf8(utf8Name), WindowRegistry::Kind::View));
    }
    const NickList* list(std::string_view utf8Name) const
    {
        const WindowRegistry& r = form->registry();
        return r.listAt(r.IndexOf(text::fromUtf8(utf8Name) + "_List", WindowRegistry::Kind::List));
    }
    std::vector<std::string> entries(std::string_view utf8Name) const
    {
        std::vector<std::string> out;
        if (const NickList* l = list(utf8Name))
            for (const std::string& e : l->entries())
                out.push_back(text::toUtf8(e));
        return out;
    }
    std::vector<std::string> tabs() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < form->sPageControl1->count(); ++i)
            out.push_back(form->sPageControl1->tabText(i).toStdString());
        return out;
    }
    std::vector<std::string> box() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < form->sListBox1->count(); ++i)
            out.push_back(form->sListBox1->item(i)->text().toStdString());
        return out;
    }
    void activate(std::string_view utf8Name)
    {
        const int i = form->registry().IndexOf(text::fromUtf8(utf8Name) + "_Tabs", WindowRegistry::Kind::Tab);
        ASSERT_GE(i, 0) << utf8Name;
        form->sPageControl1->setCurrentWidget(form->tabAt(i));
    }

    // The lines a window shows (stripped text, UTF-8), each time stamp written as <ts>.
    std::vector<std::string> shown(std::string_view utf8Name) const
    {
        std::vector<std::string> out;
        const TIRCMemo* v = view(utf8Name);
        for (int i = 0; v && i < v->lineCount(); ++i) {
            std::string t = text::toUtf8(v->lineText(i));
            if (t.size() >= 8 && t[2] == ':' && t[5] == ':')
                t.replace(0, 8, "<ts>");
            out.push_back(t);
        }
        return out;
    }

    // The window shows exactly these lines, each rendered as the coded line (<ts> standing for the time stamp the
    // shown line carries) would be: same text and the same format at every character.
    void expectWindow(std::string_view utf8Name, const std::vector<std::string>& expected)
    {
        SCOPED_TRACE(std::string(utf8Name));
        const TIRCMemo* v = view(utf8Name);
        ASSERT_NE(v, nullptr) << "no window";
        ASSERT_EQ(v->lineCount(), static_cast<int>(expected.size())) << dump(utf8Name);
        for (int i = 0; i < v->lineCount(); ++i) {
            const std::string actual = v->lineText(i);
            std::string want = expected[static_cast<std::size_t>(i)];
            if (const std::size_t ts = want.find("<ts>"); ts != std::string::npos)
                want.replace(ts, 4, actual.substr(0, 8));
            TIRCMemo reference;
            AppendLine(&reference, coded(want));
            ASSERT_EQ(text::toUtf8(actual), text::toUtf8(reference.lineText(0))) << "line " << i;
            for (int pos = 0; pos < static_cast<int>(actual.size()); ++pos)
                ASSERT_EQ(v->formatAt(i, pos), reference.formatAt(0, pos))
                    << "line " << i << " character " << pos << " in: " << text::toUtf8(actual);
        }
    }
    std::string dump(std::string_view utf8Name) const
    {
        std::string s;
        for (const std::string& l : shown(utf8Name))
            s += "  " + l + "\n";
        return s;
    }

    struct Popup
    {
        std::string title;
        std::string text;
        friend bool operator==(const Popup&, const Popup&) = default;
        friend std::ostream& operator<<(std::ostream& o, const Popup& p) { return o << p.title << " / " << p.text; }
    };
    std::vector<Popup> popups() const
    {
        std::vector<Popup> out;
        for (const TfrmMSNPopUp* p : form->popup()->openPopups())
            out.push_back({p->lblTitle()->text().toStdString(), p->lblText()->text().toStdString()});
        return out;
    }

    // Our join of a channel and the names reply that follows it.
    void joinWithNames(const std::string& channel, const std::string& names)
    {
        in(":me!ident@127.0.0.1 JOIN :" + channel);
        in(":srv 353 me = " + channel + " :" + names);
        in(":srv 366 me " + channel + " :End of /NAMES list.");
    }

    FakeServer server;
};

} // namespace morva::test
