// TForm4: the channel settings dialog: the modes n, t, s, m, c and r, the topic and the ban list of a channel.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

class QCheckBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace morva {

class TIdIRC;

// Shown modally for the channel in view. On showing it asks the server for the channel's modes and waits for the
// answer (the UI keeps running, for at most ModeReplyTimeoutMs), then asks for the ban list and the topic, whose
// answers arrive through banLoaded and topicLoaded while it shows. Queries and changes are written straight to the
// connection, unechoed; a write that fails ("Not Connected") ends the handler with an error box. The dialog lives
// for the whole run; it needs the engine and the active window's name, both of which must outlive it. UI thread
// only.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    using ActiveName = std::function<std::string()>;
    TForm4(TIdIRC& irc, ActiveName activeName, QWidget* parent = nullptr);
    ~TForm4() override;

    // --- Controls, named as the layout names them.
    QGroupBox* sGroupBox1;  // channel and topic
    QGroupBox* sGroupBox2;  // bans
    QGroupBox* sGroupBox3;  // modes
    QLabel* sLabel1;        // the channel's name
    QLabel* sLabel2;        // "Топик"
    QLineEdit* sEdit1;      // the topic
    QListWidget* sListBox1; // the ban masks
    QLineEdit* sEdit2;      // the mask being edited
    QPushButton* sButton1;  // "Редактировать"
    QPushButton* sButton2;  // "Удалить"
    QPushButton* sButton3;  // "Обновить"
    QPushButton* sButton4;  // "Применить"
    QPushButton* sButton5;  // "Установить"
    QCheckBox* sCheckBox1;  // n
    QCheckBox* sCheckBox2;  // t
    QCheckBox* sCheckBox3;  // s
    QCheckBox* sCheckBox4;  // m
    QCheckBox* sCheckBox5;  // c
    QCheckBox* sCheckBox6;  // r: the server's registration mark, shown and never changed here

    // --- Handlers.
    void FormShow();
    void sButton1Click(); // edit the selected ban
    void sButton2Click(); // delete the selected ban
    void sButton3Click(); // reload the ban list
    void sButton4Click(); // apply the edited ban
    void sButton5Click(); // set the modes and the topic, close
    void sCheckBox6Click();

    // --- What the server's replies bring while the dialog shows (Windows-1251).
    bool isShowing() const { return m_showing; }
    void topicLoaded(const std::string& topic);
    void modesLoaded(const std::string& modes);
    void banLoaded(const std::string& mask);

    // How long the showing waits for the mode reply before it opens without it.
    int ModeReplyTimeoutMs = 10000;

    const std::string& channel() const { return m_channel; }
    const std::string& channelModes() const { return m_channelModes; }
    const std::string& knownTopic() const { return m_knownTopic; }
    // Whether the last showing gave up waiting for the mode reply.
    bool modesTimedOut() const { return m_timedOut; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QCheckBox* box(int i) const;
    void send(const std::string& line);
    void editingDone();
    template <class Body> void handler(Body&& body);

    TIdIRC& m_irc;
    ActiveName m_activeName;
    std::string m_channel;
    std::string m_channelModes;
    std::string m_knownTopic;
    std::string m_editedMask;
    QEventLoop* m_wait = nullptr;
    bool m_showing = false;
    bool m_timedOut = false;
};

} // namespace morva
