// The channel settings dialog against the loopback server, fed through the main window: what it shows from the
// mode, ban and topic replies, and the exact lines its buttons write.
#include "tests/ui/main/TrafficFixture.h"
#include "ui/dialogs/Prompts.h"
#include "ui/dialogs/TForm4.h"
#include "ui/main/Form4Link.h"

#include <memory>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace morva::test {
namespace {

using Strings = std::vector<std::string>;

class ChannelSettings : public TrafficFixture
{
protected:
    void beforeConnect() override
    {
        dialog = std::make_unique<TForm4>(form->IdIRC1, [this] { return form->activeWindowName(); });
        link = std::make_unique<Form4Link>(*dialog);
        form->setChannelSettings(link.get());
    }
    void TearDown() override
    {
        if (dialog)
            dialog->hide();
        form->setChannelSettings(nullptr);
        link.reset();
        dialog.reset();
        TrafficFixture::TearDown();
    }

    // Waits (pumping, at most 3 s) until what the server received after the mark holds needle.
    bool receivedSinceMark(const std::string& needle)
    {
        QElapsedTimer t;
        t.start();
        while (server.received().find(needle, mark) == std::string::npos) {
            if (t.elapsed() > 3000)
                return false;
            QTest::qWait(5);
        }
        return true;
    }
    void setMark() { mark = server.received().size(); }
    // The lines received after the mark, up to the answer of a ping sent now: everything the client wrote before
    // it handled the ping (lines are handled in order) and nothing of the ping's own echo.
    Strings sentSinceMark()
    {
        const std::string token = "sync" + std::to_string(++pings);
        server.send("PING :" + token + "\r\n");
        EXPECT_TRUE(receivedSinceMark("PONG :" + token + "\r\n"));
        std::string bytes = server.received().substr(mark);
        bytes.erase(bytes.find("PONG :" + token));
        Strings lines;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", at);
            lines.push_back(text::toUtf8(bytes.substr(at, end - at)));
            at = end + 2;
        }
        setMark();
        return lines;
    }
    void sendLines(const Strings& lines)
    {
        for (const std::string& l : lines)
            server.send(coded(l) + "\r\n");
    }

    // Opens the dialog with channel in view. modeReply (unless empty) goes out once the server has the mode query,
    // after delayMs; the rest once the topic query has arrived.
    void open(const char* channel, const Strings& modeReply, const Strings& after = {}, int delayMs = 0)
    {
        form->FindMemo(text::fromUtf8(channel));
        activate(channel);
        setMark();
        const std::string query = "MODE " + text::fromUtf8(channel) + "\r\n";
        QTimer::singleShot(0, dialog.get(), [this, query, modeReply, delayMs] {
            if (modeReply.empty() || !receivedSinceMark(query))
                return;
            QTest::qWait(delayMs);
            sendLines(modeReply);
        });
        dialog->show();
        ASSERT_TRUE(receivedSinceMark("TOPIC " + text::fromUtf8(channel) + "\r\n"));
        sendLines(after);
        opened = sentSinceMark();
    }

    std::string checked() const
    {
        std::string letters;
        const QCheckBox* boxes[] = {dialog->sCheckBox1, dialog->sCheckBox2, dialog->sCheckBox3,
                                    dialog->sCheckBox4, dialog->sCheckBox5, dialog->sCheckBox6};
        for (int i = 0; i < 6; ++i)
            if (boxes[i]->isChecked())
                letters += "ntsmcr"[i];
        return letters;
    }
    Strings bans() const
    {
        Strings out;
        for (int i = 0; i < dialog->sListBox1->count(); ++i)
            out.push_back(dialog->sListBox1->item(i)->text().toStdString());
        return out;
    }
    void select(int row) { dialog->sListBox1->setCurrentRow(row); }

    std::unique_ptr<TForm4> dialog;
    std::unique_ptr<Form4Link> link;
    std::size_t mark = 0;
    int pings = 0;
    Strings opened; // what the opening wrote
};

TEST_F(ChannelSettings, OpeningAsksAndFillsFromTheReplies)
{
    open("#CHAN", {":srv 324 me #CHAN +nt"},
         {":srv 367 me #CHAN *!*@bad.example op!o@h 1700000000", ":srv 367 me #CHAN *!*@плохой",
          ":srv 368 me #CHAN :End of channel ban list", ":srv 332 me #CHAN :Тема: канала"});
    EXPECT_EQ(opened, (Strings{"MODE #CHAN", "MODE #CHAN +b", "TOPIC #CHAN"}));
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Настройка канала");
    EXPECT_EQ(dialog->sLabel1->text().toStdString(), "#CHAN");
    EXPECT_EQ(checked(), "nt");
    EXPECT_FALSE(dialog->sCheckBox6->isEnabled());
    EXPECT_EQ(bans(), (Strings{"*!*@bad.example", "*!*@плохой"}));
    EXPECT_EQ(dialog->sEdit1->text().toStdString(), "Тема: канала");
    EXPECT_FALSE(dialog->sEdit2->isEnabled());
    EXPECT_EQ(dialog->sEdit2->text().toStdString(), "Редактирование");
    EXPECT_FALSE(dialog->sButton4->isEnabled());
    // The replies went to the dialog only, and the queries are not echoed.
    EXPECT_TRUE(shown("#CHAN").empty()) << dump("#CHAN");
    for (const std::string& l : shown(kSystem))
        EXPECT_EQ(l.find("MODE"), std::string::npos) << l;

    dialog->sButton5->click();
    EXPECT_EQ(sentSinceMark(), (Strings{"MODE #CHAN +nt-smcr", "MODE #CHAN"}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// What "Установить" writes after an opening with a mode reply, given the boxes the user changes and the topic.
struct SetCase
{
    const char* name;
    const char* modeReply;
    const char* topicReply; // nullptr: the server sends none
    const char* toggle;     // letters whose boxes the user clicks
    const char* typedTopic; // nullptr: the field is left alone
    Strings lines;
};

// clang-format off
const SetCase kSets[] = {
    {"NoModes",           ":srv 324 me #CHAN +",             nullptr,   "",   nullptr, {"MODE #CHAN -ntsmcr", "MODE #CHAN"}},
    {"AllButR",           ":srv 324 me #CHAN +",             nullptr,   "ntsmc", nullptr, {"MODE #CHAN +ntsmc-r", "MODE #CHAN"}},
    {"SomeOnSomeOff",     ":srv 324 me #CHAN +ntm",          nullptr,   "nsc", nullptr, {"MODE #CHAN +tsmc-nr", "MODE #CHAN"}},
    {"KeyAndLimit",       ":srv 324 me #CHAN +ntkl key 5",   nullptr,   "",   nullptr, {"MODE #CHAN +nt-smcr", "MODE #CHAN"}},
    {"RegisteredStaysOn", ":srv 324 me #CHAN +rn",           nullptr,   "",   nullptr, {"MODE #CHAN +nr-tsmc", "MODE #CHAN"}},
    {"RCannotBeClicked",  ":srv 324 me #CHAN +n",            nullptr,   "r",  nullptr, {"MODE #CHAN +n-tsmcr", "MODE #CHAN"}},
    {"TopicUnchanged",    ":srv 324 me #CHAN +",             "старая",  "",   nullptr, {"MODE #CHAN -ntsmcr", "MODE #CHAN"}},
    {"TopicChanged",      ":srv 324 me #CHAN +",             "старая",  "",   "новая: тема", {"MODE #CHAN -ntsmcr", "MODE #CHAN", "TOPIC #CHAN :новая: тема"}},
    {"TopicCleared",      ":srv 324 me #CHAN +t",            "старая",  "",   "",      {"MODE #CHAN +t-nsmcr", "MODE #CHAN", "TOPIC #CHAN :"}},
    {"NoTopicNoneSent",   ":srv 324 me #CHAN +",             nullptr,   "",   nullptr, {"MODE #CHAN -ntsmcr", "MODE #CHAN"}},
    {"NoTopicOneTyped",   ":srv 324 me #CHAN +",             nullptr,   "",   "первая", {"MODE #CHAN -ntsmcr", "MODE #CHAN", "TOPIC #CHAN :первая"}},
};
// clang-format on

TEST_F(ChannelSettings, SetWritesEveryModeAndAChangedTopic)
{
    for (const SetCase& c : kSets) {
        SCOPED_TRACE(c.name);
        Strings after;
        if (c.topicReply)
            after.push_back(std::string(":srv 332 me #CHAN :") + c.topicReply);
        open("#CHAN", {c.modeReply}, after);
        QCheckBox* boxes[] = {dialog->sCheckBox1, dialog->sCheckBox2, dialog->sCheckBox3,
                              dialog->sCheckBox4, dialog->sCheckBox5, dialog->sCheckBox6};
        for (const char* l = c.toggle; *l; ++l)
            boxes[std::string_view("ntsmcr").find(*l)]->click();
        if (c.typedTopic)
            dialog->sEdit1->setText(QString::fromUtf8(c.typedTopic));
        dialog->sButton5->click();
        EXPECT_EQ(sentSinceMark(), c.lines);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(ChannelSettings, SecondOpeningWaitsForItsOwnReply)
{
    open("#CHAN", {":srv 324 me #CHAN +ntsr"}, {":srv 332 me #CHAN :first topic"});
    EXPECT_EQ(checked(), "ntsr");
    dialog->hide();
    // Another channel, answered late: the previous letters and topic are not reused.
    open("#OTHER", {":srv 324 me #OTHER +m"}, {}, 300);
    EXPECT_EQ(opened, (Strings{"MODE #OTHER", "MODE #OTHER +b", "TOPIC #OTHER"}));
    EXPECT_EQ(checked(), "m");
    EXPECT_EQ(dialog->sLabel1->text().toStdString(), "#OTHER");
    EXPECT_TRUE(dialog->sEdit1->text().isEmpty());
    EXPECT_TRUE(dialog->knownTopic().empty());
    dialog->hide();
    // The same channel again waits as well.
    open("#CHAN", {":srv 324 me #CHAN +t"}, {}, 100);
    EXPECT_EQ(checked(), "t");
}

TEST_F(ChannelSettings, ModeReplyThatNeverComesTimesOut)
{
    dialog->ModeReplyTimeoutMs = 150;
    open("#CHAN", {}, {":srv 367 me #CHAN *!*@late", ":srv 332 me #CHAN :late topic"});
    EXPECT_TRUE(dialog->modesTimedOut());
    EXPECT_EQ(opened, (Strings{"MODE #CHAN", "MODE #CHAN +b", "TOPIC #CHAN"}));
    EXPECT_EQ(checked(), "");
    EXPECT_EQ(dialog->sLabel1->text().toStdString(), "#CHAN: сервер не ответил на запрос режимов");
    // The rest of the dialog works as usual, on the channel itself.
    EXPECT_EQ(bans(), Strings{"*!*@late"});
    EXPECT_EQ(dialog->sEdit1->text().toStdString(), "late topic");
    dialog->sButton5->click();
    EXPECT_EQ(sentSinceMark(), (Strings{"MODE #CHAN -ntsmcr", "MODE #CHAN"}));
    // An answer next time clears the mark.
    open("#CHAN", {":srv 324 me #CHAN +n"});
    EXPECT_FALSE(dialog->modesTimedOut());
    EXPECT_EQ(dialog->sLabel1->text().toStdString(), "#CHAN");
}

TEST_F(ChannelSettings, RegisteredBoxFollowsTheReplyOnly)
{
    open("#CHAN", {":srv 324 me #CHAN +r"});
    EXPECT_EQ(checked(), "r");
    // Set by anything but a reply, it goes back.
    dialog->sCheckBox6->setChecked(false);
    EXPECT_TRUE(dialog->sCheckBox6->isChecked());
    dialog->hide();
    open("#CHAN", {":srv 324 me #CHAN +n"});
    EXPECT_EQ(checked(), "n");
    dialog->sCheckBox6->setChecked(true);
    EXPECT_FALSE(dialog->sCheckBox6->isChecked());
}

TEST_F(ChannelSettings, TopicFieldStartsEmpty)
{
    // Before any showing the field holds its initial text; a channel without a topic reply must not get it.
    EXPECT_EQ(dialog->sEdit1->text().toStdString(), "Топик");
    open("#CHAN", {":srv 324 me #CHAN +"});
    EXPECT_TRUE(dialog->sEdit1->text().isEmpty());
    dialog->sButton5->click();
    EXPECT_EQ(sentSinceMark(), (Strings{"MODE #CHAN -ntsmcr", "MODE #CHAN"}));
}

TEST_F(ChannelSettings, EditingABan)
{
    open("#CHAN", {":srv 324 me #CHAN +"}, {":srv 367 me #CHAN *!*@one", ":srv 367 me #CHAN *!*@two"});
    // Nothing without a selection.
    dialog->sButton1->click();
    EXPECT_FALSE(dialog->sEdit2->isEnabled());
    select(1);
    dialog->sButton1->click();
    EXPECT_TRUE(dialog->sEdit2->isEnabled());
    EXPECT_EQ(dialog->sEdit2->text().toStdString(), "*!*@two");
    EXPECT_FALSE(dialog->sButton1->isEnabled());
    EXPECT_FALSE(dialog->sButton2->isEnabled());
    EXPECT_FALSE(dialog->sButton3->isEnabled());
    EXPECT_TRUE(dialog->sButton4->isEnabled());
    // Applied unchanged: nothing goes out.
    dialog->sButton4->click();
    EXPECT_TRUE(sentSinceMark().empty());
    EXPECT_FALSE(dialog->sEdit2->isEnabled());
    EXPECT_EQ(dialog->sEdit2->text().toStdString(), "Редактирование");
    EXPECT_TRUE(dialog->sButton1->isEnabled());
    EXPECT_FALSE(dialog->sButton4->isEnabled());
    // Changed: the old ban goes, the new one comes; the row waits for a reload.
    select(0);
    dialog->sButton1->click();
    dialog->sEdit2->setText(QStringLiteral("*!*@новый"));
    dialog->sButton4->click();
    EXPECT_EQ(sentSinceMark(), (Strings{"MODE #CHAN -b *!*@one", "MODE #CHAN +b *!*@новый"}));
    EXPECT_EQ(bans(), (Strings{"*!*@one", "*!*@two"}));
    // Reload: the list empties and is asked for again.
    dialog->sButton3->click();
    EXPECT_TRUE(bans().empty());
    EXPECT_EQ(sentSinceMark(), Strings{"MODE #CHAN +b"});
}

TEST_F(ChannelSettings, DeletingABanRemovesTheRowAtOnce)
{
    open("#CHAN", {":srv 324 me #CHAN +"}, {":srv 367 me #CHAN *!*@one", ":srv 367 me #CHAN *!*@два"});
    dialog->sListBox1->clearSelection();
    dialog->sButton2->click();
    EXPECT_EQ(bans().size(), 2u);
    select(1);
    dialog->sButton2->click();
    EXPECT_EQ(bans(), Strings{"*!*@one"});
    EXPECT_EQ(sentSinceMark(), Strings{"MODE #CHAN -b *!*@два"});
}

TEST_F(ChannelSettings, LostConnectionShowsNotConnected)
{
    Strings errors;
    ScopedPromptHooks hooks({{}, [&](const std::string& t, bool error) {
                                 if (error)
                                     errors.push_back(t);
                             }});
    open("#CHAN", {":srv 324 me #CHAN +nt"}, {":srv 367 me #CHAN *!*@one"});
    form->IdIRC1.Disconnect(true);
    select(0);
    dialog->sButton2->click();
    EXPECT_EQ(bans(), Strings{"*!*@one"}) << "the row stays when the ban could not be lifted";
    dialog->sButton5->click();
    EXPECT_TRUE(dialog->isVisible()) << "the failed write ends the handler before the dialog closes";
    EXPECT_EQ(errors, (Strings{"Not Connected", "Not Connected"}));
    dialog->hide();
    // Opening without a connection fails at the first query, without waiting for a reply.
    dialog->show();
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_FALSE(dialog->modesTimedOut());
    EXPECT_TRUE(bans().empty());
    EXPECT_EQ(checked(), "");
}

TEST_F(ChannelSettings, ShownModally)
{
    form->FindMemo("#CHAN");
    activate("#CHAN");
    setMark();
    // Answer the query, then press "Установить" once the dialog runs its own loop.
    QTimer::singleShot(0, dialog.get(), [this] {
        if (receivedSinceMark("MODE #CHAN\r\n"))
            server.send(":srv 324 me #CHAN +s\r\n");
    });
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, dialog.get(), [&] {
        if (++polls > 200)
            dialog->reject();
        else if (dialog->isVisible() && server.received().find("TOPIC #CHAN\r\n", mark) != std::string::npos)
            dialog->sButton5->click();
    });
    poll.start(10);
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
    poll.stop();
    EXPECT_EQ(sentSinceMark(),
              (Strings{"MODE #CHAN", "MODE #CHAN +b", "TOPIC #CHAN", "MODE #CHAN +s-ntmcr", "MODE #CHAN"}));
}

} // namespace
} // namespace morva::test
