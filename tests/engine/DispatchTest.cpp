// Dispatch of received lines: events in order with their arguments, record updates and automatic replies.
#include "tests/engine/EngineFixture.h"

using namespace morva;
using namespace morva::test;

namespace {

struct DispatchCase
{
    const char* name;
    std::vector<std::string> setup; // lines injected first; their events are not compared
    std::string line;
    std::vector<std::string> events;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const DispatchCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<std::string> kInChannel = {":me!i@h JOIN #c", ":srv 353 me = #c :me @op +v plain",
                                             ":srv 366 me #c :End"};

// clang-format off
const DispatchCase kCases[] = {
    {"Message", kInChannel, ":n!u@h PRIVMSG #c :hi there", {
        "OnRaw\tn!u@h\tPRIVMSG\t#c :hi there\t0", "OnMessage\tn!u@h\t#c\thi there"}},
    {"PrivateMessage", {}, ":n!u@h PRIVMSG me :psst", {
        "OnRaw\tn!u@h\tPRIVMSG\tme :psst\t0", "OnMessage\tn!u@h\t-\tpsst"}},
    {"Notice", {}, ":n!u@h NOTICE me :note", {
        "OnRaw\tn!u@h\tNOTICE\tme :note\t0", "OnNotice\tn!u@h\t-\tnote"}},
    {"Welcome", {}, ":srv 001 me :Welcome", {
        "OnRaw\t!srv\t001\tme :Welcome\t0", "OnStateChange\tRegistered", "OnSystem\t!srv\t1\tWELCOME\tme :Welcome"}},
    {"Ping", {}, "PING :abc", {
        "OnRaw\t!\tPING\t:abc\t0", "OnSend\tPONG :abc", "OnPingPong"}},
    {"CtcpVersion", {}, ":n!u@h PRIVMSG me :\x01VERSION\x01", {
        "OnRaw\tn!u@h\tPRIVMSG\tme :\\x01VERSION\\x01\t0", "OnCTCPQuery\tn!u@h\t-\tVERSION\t\t0",
        "OnSend\tNOTICE n :\\x01VERSION v9\\x01"}},
    {"CtcpLowerCaseGetsNoReply", {}, ":n!u@h PRIVMSG me :\x01version\x01", {
        "OnRaw\tn!u@h\tPRIVMSG\tme :\\x01version\\x01\t0", "OnCTCPQuery\tn!u@h\t-\tversion\t\t0"}},
    {"CtcpPingEchoesArgs", {}, ":n!u@h PRIVMSG me :\x01PING 12345\x01", {
        "OnRaw\tn!u@h\tPRIVMSG\tme :\\x01PING 12345\\x01\t0", "OnCTCPQuery\tn!u@h\t-\tPING\t12345\t0",
        "OnSend\tNOTICE n :\\x01PING 12345\\x01"}},
    {"CtcpFingerUserInfoClientInfo", {":n!u PRIVMSG me :\x01" "FINGER\x01", ":n!u PRIVMSG me :\x01USERINFO\x01"},
        ":n!u PRIVMSG me :\x01" "CLIENTINFO\x01", {
        "OnRaw\tn!u\tPRIVMSG\tme :\\x01CLIENTINFO\\x01\t0", "OnCTCPQuery\tn!u\t-\tCLIENTINFO\t\t0",
        "OnSend\tNOTICE n :\\x01CLIENTINFO ci\\x01"}},
    {"CtcpSoundOnlyQuery", {}, ":n!u PRIVMSG #x :\x01SOUND ding.wav\x01", {
        "OnRaw\tn!u\tPRIVMSG\t#x :\\x01SOUND ding.wav\\x01\t0", "OnCTCPQuery\tn!u\t-\tSOUND\tding.wav\t0"}},
    {"Action", kInChannel, ":n!u@h PRIVMSG #c :\x01" "ACTION waves\x01", {
        "OnRaw\tn!u@h\tPRIVMSG\t#c :\\x01ACTION waves\\x01\t0", "OnAction\tn!u@h\t#c\twaves"}},
    {"CtcpReply", {}, ":n!u NOTICE me :\x01VERSION xchat 2\x01", {
        "OnRaw\tn!u\tNOTICE\tme :\\x01VERSION xchat 2\\x01\t0", "OnCTCPReply\tn!u\t-\tVERSION\txchat 2"}},
    {"CtcpReplyDccIsIgnored", {}, ":n!u NOTICE me :\x01" "DCC x\x01", {
        "OnRaw\tn!u\tNOTICE\tme :\\x01DCC x\\x01\t0"}},
    {"DccSend", {}, ":n!u PRIVMSG me :\x01" "DCC SEND file.txt 2130706433 5000 1234\x01", {
        "OnRaw\tn!u\tPRIVMSG\tme :\\x01DCC SEND file.txt 2130706433 5000 1234\\x01\t0",
        "OnDCCSend\tn\t2130706433\t5000\tfile.txt\t1234"}},
    {"DccChatShort", {}, ":n!u PRIVMSG me :\x01" "DCC CHAT\x01", {
        "OnRaw\tn!u\tPRIVMSG\tme :\\x01DCC CHAT\\x01\t0", "OnDCCChat\tn\t\t"}},
    {"DccResumeAccept", {":n!u PRIVMSG me :\x01" "DCC RESUME f 5000 100\x01"}, ":n!u PRIVMSG me :\x01" "DCC ACCEPT f 5000 100\x01", {
        "OnRaw\tn!u\tPRIVMSG\tme :\\x01DCC ACCEPT f 5000 100\\x01\t0", "OnDCCAccept\tn\t5000\tf\t100"}},
    {"OwnJoin", {}, ":me!i@h JOIN #new", {
        "OnRaw\tme!i@h\tJOIN\t#new\t0", "OnSend\tMODE #new ", "OnJoined\t#new"}},
    {"OtherJoin", kInChannel, ":x!u@h JOIN #c", {
        "OnRaw\tx!u@h\tJOIN\t#c\t0", "OnChannelUpdate\t#c\tcuJoin\tx!u@h\t4", "OnJoin\tx!u@h\t#c"}},
    {"JoinOfUntrackedChannel", {}, ":x!u@h JOIN #zz", {
        "OnRaw\tx!u@h\tJOIN\t#zz\t0", "OnJoin\tx!u@h\t-"}},
    {"OtherPart", kInChannel, ":plain!u@h PART #c :bye", {
        "OnRaw\tplain!u@h\tPART\t#c :bye\t0", "OnChannelUpdate\t#c\tcuPart\tplain!u@h\t3", "OnPart\tplain!u@h\t#c"}},
    {"OwnPart", kInChannel, ":me!i@h PART #c", {
        "OnRaw\tme!i@h\tPART\t#c\t0", "OnParted\t#c"}},
    {"OwnPartUntracked", {}, ":me!i@h PART #zz", {
        "OnRaw\tme!i@h\tPART\t#zz\t0", "OnParted\t-"}},
    {"KickOther", kInChannel, ":op!u@h KICK #c plain :flood", {
        "OnRaw\top!u@h\tKICK\t#c plain :flood\t0", "OnKick\top!u@h\tplain!\t#c",
        "OnChannelUpdate\t#c\tcuKick\tplain!\t3"}},
    {"KickedSelf", kInChannel, ":op!u@h KICK #c me :bye", {
        "OnRaw\top!u@h\tKICK\t#c me :bye\t0", "OnKicked\top!u@h\t#c"}},
    {"ChannelModes", kInChannel, ":op!u@h MODE #c +ov-k plain v", {
        "OnRaw\top!u@h\tMODE\t#c +ov-k plain v\t0", "OnChannelMode\top!u@h\t#c\t#c\t+ov-k plain v",
        "OnOp\top!u@h\t#c\tplain!", "OnChannelUpdate\t#c\tcuUser\tplain!\t1",
        "OnVoice\top!u@h\t#c\tv!", "OnChannelUpdate\t#c\tcuUser\tv!\t2",
        "OnChannelUpdate\t#c\tcuMode\t-\t0"}},
    {"LimitAndKey", kInChannel, ":op!u MODE #c +lk 10 pw", {
        "OnRaw\top!u\tMODE\t#c +lk 10 pw\t0", "OnChannelMode\top!u\t#c\t#c\t+lk 10 pw",
        "OnChannelUpdate\t#c\tcuMode\t-\t0", "OnChannelUpdate\t#c\tcuMode\t-\t0", "OnChannelUpdate\t#c\tcuMode\t-\t0"}},
    {"BansAndFlags", kInChannel, ":op!u MODE #c +b-b+nt a!*@* b!*@*", {
        "OnRaw\top!u\tMODE\t#c +b-b+nt a!*@* b!*@*\t0", "OnChannelMode\top!u\t#c\t#c\t+b-b+nt a!*@* b!*@*",
        "OnBan\top!u\t#c\ta!*@*", "OnUnban\top!u\t#c\tb!*@*", "OnChannelUpdate\t#c\tcuMode\t-\t0"}},
    {"ModeOfUntrackedChannel", {}, ":op!u MODE #zz +o x", {"OnRaw\top!u\tMODE\t#zz +o x\t0"}},
    {"UserMode", {}, ":me MODE me :+iw", {
        "OnRaw\t!me\tMODE\tme :+iw\t0", "OnUserMode\t+iw", "OnUserModeChanged"}},
    {"UserModeOfAnother", {}, ":srv MODE other +i", {"OnRaw\t!srv\tMODE\tother +i\t0"}},
    {"NickOfAnother", kInChannel, ":plain!u@h NICK newer", {
        "OnRaw\tplain!u@h\tNICK\tnewer\t0", "OnNickChange\tplain!u@h\tnewer",
        "OnChannelUpdate\t#c\tcuNick\tplain!u@h\t3"}},
    {"OwnNick", {}, ":me!i@h NICK me2", {"OnRaw\tme!i@h\tNICK\tme2\t0", "OnNickChanged\tme"}},
    {"Quit", kInChannel, ":v!u@h QUIT :gone", {
        "OnRaw\tv!u@h\tQUIT\t:gone\t0", "OnQuit\tv!u@h", "OnChannelUpdate\t#c\tcuQuit\tv!u@h\t2"}},
    {"Invite", {}, ":n!u INVITE me #x", {"OnRaw\tn!u\tINVITE\tme #x\t0", "OnInvite\tn!u\t#x"}},
    {"Kill", {}, ":op!u KILL me :bad", {"OnRaw\top!u\tKILL\tme :bad\t0", "OnKill\top!u\tme\tbad"}},
    {"Wallops", {}, ":op!u WALLOPS :hear", {"OnRaw\top!u\tWALLOPS\t:hear\t0", "OnWallops\top!u\thear"}},
    {"Topic", kInChannel, ":op!u TOPIC #C :new one", {
        "OnRaw\top!u\tTOPIC\t#C :new one\t0", "OnChannelUpdate\t#c\tcuTopic\t-\t0", "OnTopic\top!u\t#c\t#c\tnew one"}},
    {"TopicUntracked", {}, ":op!u TOPIC #zz :t", {"OnRaw\top!u\tTOPIC\t#zz :t\t0"}},
    {"UnknownWord", {}, ":srv CAP * LS :x", {"OnRaw\t!srv\tCAP\t* LS :x\t0", "OnUnknownCommand\t!srv\tCAP\t* LS :x"}},
    {"BareQuitFromServer", {}, ":srv QUIT", {"OnRaw\t!srv\t\tQUIT\t0", "OnUnknownCommand\t!srv\t\tQUIT"}},
    {"Numeric005IsUnknown", {}, ":srv 005 me A=1 :are supported", {
        "OnRaw\t!srv\t005\tme A=1 :are supported\t0", "OnUnknownCommand\t!srv\t005\tme A=1 :are supported"}},
    {"Numeric008IsUnknown", {}, ":srv 008 me x", {"OnRaw\t!srv\t008\tme x\t0", "OnUnknownCommand\t!srv\t008\tme x"}},
    {"Map", {}, ":srv 006 me :map line", {"OnRaw\t!srv\t006\tme :map line\t0", "OnSystem\t!srv\t6\tMAP\tmap line"}},
    {"Trace", {}, ":srv 261 me File x", {"OnRaw\t!srv\t261\tme File x\t0", "OnSystem\t!srv\t261\tTRACE\tme File x"}},
    {"StatsEnd", {}, ":srv 219 me u :End", {"OnRaw\t!srv\t219\tme u :End\t0", "OnSystem\t!srv\t219\tSTATS\tu End"}},
    {"UMode", {}, ":srv 221 me +i", {"OnRaw\t!srv\t221\tme +i\t0", "OnSystem\t!srv\t221\tUMODE\tme +i"}},
    {"LUser", {}, ":srv 251 me :There are 3 users", {
        "OnRaw\t!srv\t251\tme :There are 3 users\t0", "OnSystem\t!srv\t251\tLUSER\tThere are 3 users "}},
    {"Admin", {}, ":srv 256 me :Admin", {"OnRaw\t!srv\t256\tme :Admin\t0", "OnSystem\t!srv\t256\tADMIN\tme :Admin"}},
    {"LocalUsers", {}, ":srv 265 me :Current 3", {"OnRaw\t!srv\t265\tme :Current 3\t0", "OnSystem\t!srv\t265\tLUSER\tCurrent 3"}},
    {"AwayReply", {}, ":srv 301 me bob :lunch", {"OnRaw\t!srv\t301\tme bob :lunch\t0", "OnAway\t!srv"}},
    {"UserHost", {}, ":srv 302 me :bob=+u@h", {"OnRaw\t!srv\t302\tme :bob=+u@h\t0", "OnSystem\t!srv\t302\tUSERHOST\tbob=+u@h"}},
    {"IsOn", {}, ":srv 303 me :bob", {"OnRaw\t!srv\t303\tme :bob\t0", "OnSystem\t!srv\t303\tISON\tme"}},
    {"UnAwayNowAway", {":srv 306 me :You are away"}, ":srv 305 me :back", {
        "OnRaw\t!srv\t305\tme :back\t0", "OnUnAway\tback"}},
    {"Whois311", {}, ":srv 311 me bob u host * :Bob B", {
        "OnRaw\t!srv\t311\tme bob u host * :Bob B\t0", "OnSystem\t!srv\t311\tWHOIS\tbob is u@host * Bob B"}},
    {"Whois312", {}, ":srv 312 me bob irc.x :Info", {
        "OnRaw\t!srv\t312\tme bob irc.x :Info\t0", "OnSystem\t!srv\t312\tWHOIS\tbob is using irc.x Info"}},
    {"Whois313", {}, ":srv 313 me bob :is an operator", {
        "OnRaw\t!srv\t313\tme bob :is an operator\t0", "OnSystem\t!srv\t313\tWHOIS\tbob is an operator"}},
    {"Whowas314", {}, ":srv 314 me bob u h * :Bob", {
        "OnRaw\t!srv\t314\tme bob u h * :Bob\t0", "OnSystem\t!srv\t314\tWHOWAS\tbob was u@h * Bob"}},
    {"Who315", {}, ":srv 315 me #c :End", {"OnRaw\t!srv\t315\tme #c :End\t0", "OnSystem\t!srv\t315\tWHO\t#c :End"}},
    {"Idle317", {}, ":srv 317 me bob 10 1700000000 :secs", {
        "OnRaw\t!srv\t317\tme bob 10 1700000000 :secs\t0",
        "OnSystem\t!srv\t317\tWHOIS\tbob has been idle 10 seconds, signed on at 1700000000"}},
    {"Whois318", {}, ":srv 318 me bob :End", {"OnRaw\t!srv\t318\tme bob :End\t0", "OnSystem\t!srv\t318\tWHOIS\tbob :End"}},
    {"Whois319", {}, ":srv 319 me bob :@#c", {"OnRaw\t!srv\t319\tme bob :@#c\t0", "OnSystem\t!srv\t319\tWHOIS\tbob is on @#c"}},
    {"ModeReply324", kInChannel, ":srv 324 me #c +ntl 5", {
        "OnRaw\t!srv\t324\tme #c +ntl 5\t0", "OnChannelMode\t-\t#c\t#c\t+ntl 5",
        "OnChannelUpdate\t#c\tcuMode\t-\t0", "OnChannelUpdate\t#c\tcuMode\t-\t0"}},
    {"ModeReplyUntracked", {}, ":srv 324 me #zz +n", {"OnRaw\t!srv\t324\tme #zz +n\t0", "OnChannelMode\t-\t-\t#zz\t+n"}},
    {"CreationTime", {}, ":srv 329 me #c 1700000000", {
        "OnRaw\t!srv\t329\tme #c 1700000000\t0", "OnSystem\t!srv\t329\t329\tme #c 1700000000"}},
    {"NoTopic", kInChannel, ":srv 331 me #c :No topic", {
        "OnRaw\t!srv\t331\tme #c :No topic\t0", "OnChannelUpdate\t#c\tcuTopic\t-\t0", "OnNoTopic\t#c\tNo topic"}},
    {"TopicReply", kInChannel, ":srv 332 me #c :the topic", {
        "OnRaw\t!srv\t332\tme #c :the topic\t0", "OnChannelUpdate\t#c\tcuTopic\t-\t0", "OnTopic\t!srv\t#c\t#c\tthe topic"}},
    {"TopicReplyUntracked", {}, ":srv 332 me #zz :t", {"OnRaw\t!srv\t332\tme #zz :t\t0", "OnTopic\t!srv\t-\t#zz\tt"}},
    {"Inviting", {}, ":srv 341 me bob #c", {"OnRaw\t!srv\t341\tme bob #c\t0", "OnInviting\tbob\t#c"}},
    {"Summon", {}, ":srv 342 me bob :x", {"OnRaw\t!srv\t342\tme bob :x\t0", "OnSystem\t!srv\t342\tSUMMON\tme has been summoned"}},
    {"Version", {}, ":srv 351 me v1 srv :c", {"OnRaw\t!srv\t351\tme v1 srv :c\t0", "OnSystem\t!srv\t351\tVERSION\tv1 srv c"}},
    {"Who352", {}, ":srv 352 me #c u h s n H :0 R", {"OnRaw\t!srv\t352\tme #c u h s n H :0 R\t0", "OnSystem\t!srv\t352\tWHO\tme"}},
    {"Names", {":me!i@h JOIN #c"}, ":srv 353 me = #c :@a +b c", {
        "OnRaw\t!srv\t353\tme = #c :@a +b c\t0", "OnSystem\t!srv\t353\tNAMES\t#c :@a +b c",
        "OnChannelUpdate\t#c\tcuNames\t-\t0"}},
    {"NamesEnd", {}, ":srv 366 me #c :End of NAMES", {
        "OnRaw\t!srv\t366\tme #c :End of NAMES\t0", "OnSystem\t!srv\t366\tNAMES\t#c :End of NAMES", "OnNames\t2\t-"}},
    {"Links", {}, ":srv 364 me *.x hub.x :1 Hub server", {
        "OnRaw\t!srv\t364\tme *.x hub.x :1 Hub server\t0", "OnLinks\thub.x\t*.x\t1\tHub server"}},
    {"LinksEnd", {}, ":srv 365 me * :End", {"OnRaw\t!srv\t365\tme * :End\t0", "OnSystem\t!srv\t365\tLINKS\t* End"}},
    {"Bans", {}, ":srv 367 me #c *!*@x", {"OnRaw\t!srv\t367\tme #c *!*@x\t0", "OnSystem\t!srv\t367\tBANS\tme #c"}},
    {"BansEnd", {}, ":srv 368 me #c :End", {"OnRaw\t!srv\t368\tme #c :End\t0", "OnSystem\t!srv\t368\tBANS\tme :#c"}},
    {"WhowasEnd", {}, ":srv 369 me bob :End", {"OnRaw\t!srv\t369\tme bob :End\t0", "OnSystem\t!srv\t369\tWHOWAS\tbob :End"}},
    {"Info", {}, ":srv 371 me :info", {"OnRaw\t!srv\t371\tme :info\t0", "OnSystem\t!srv\t371\tINFO\tme"}},
    {"Motd", {}, ":srv 372 me :- hello", {"OnRaw\t!srv\t372\tme :- hello\t0", "OnSystem\t!srv\t372\tMOTD\t- hello"}},
    {"MotdStartRegisters", {}, ":srv 375 me :- start", {
        "OnRaw\t!srv\t375\tme :- start\t0", "OnStateChange\tRegistered", "OnSystem\t!srv\t375\tMOTD\t- start"}},
    {"Oper", {}, ":srv 381 me :You are oper", {"OnRaw\t!srv\t381\tme :You are oper\t0", "OnSystem\t!srv\t381\tOPER\tme"}},
    {"Rehash", {}, ":srv 382 me f :Rehashing", {"OnRaw\t!srv\t382\tme f :Rehashing\t0", "OnSystem\t!srv\t382\tREHASH\tme :f"}},
    {"TimeSameServer", {}, ":srv 391 me SRV :Mon 12:00", {
        "OnRaw\t!srv\t391\tme SRV :Mon 12:00\t0", "OnSystem\t!srv\t391\tTIME\tsrv :Mon 12:00"}},
    {"TimeOtherServer", {}, ":srv 391 me other :Mon", {
        "OnRaw\t!srv\t391\tme other :Mon\t0", "OnSystem\t!srv\t391\tTIME\tsrv :other"}},
    {"Users", {}, ":srv 392 me :UserID", {"OnRaw\t!srv\t392\tme :UserID\t0", "OnSystem\t!srv\t392\tUSERS\tme"}},
    {"ErrorNumeric", {}, ":srv 401 me bob :No such nick", {
        "OnRaw\t!srv\t401\tme bob :No such nick\t0", "OnError\t!srv\t401\tme bob :No such nick"}},
    {"NickInUseAfterWelcome", {":srv 001 me :Welcome"}, ":srv 433 me x :in use", {
        "OnRaw\t!srv\t433\tme x :in use\t0", "OnError\t!srv\t433\tme x :in use"}},
    {"Whois614", {}, ":srv 614 me bob :is using a secure connection", {
        "OnRaw\t!srv\t614\tme bob :is using a secure connection\t0", "OnSystem\t!srv\t614\tWHOIS\tbob"}},
    {"UnlistedNumeric", {}, ":srv 999 me x", {"OnRaw\t!srv\t999\tme x\t0", "OnUnknownCommand\t!srv\t999\tme x"}},
    {"NegativeIsAWord", {}, ":srv -1 me x", {"OnRaw\t!srv\t-1\tme x\t0", "OnUnknownCommand\t!srv\t-1\tme x"}},
    {"KickOfUntrackedChannel", {}, ":op!u@h KICK #zz x :r", {
        "OnRaw\top!u@h\tKICK\t#zz x :r\t0", "OnKick\top!u@h\tx!\t-"}},
    {"OwnKickUntracked", {}, ":op!u@h KICK #zz me :r", {"OnRaw\top!u@h\tKICK\t#zz me :r\t0", "OnKicked\top!u@h\t-"}},
    {"PartOfUntrackedChannel", {}, ":x!u@h PART #zz", {"OnRaw\tx!u@h\tPART\t#zz\t0", "OnPart\tx!u@h\t-"}},
    {"TraceRange", {}, ":srv 200 me Link x", {"OnRaw\t!srv\t200\tme Link x\t0", "OnSystem\t!srv\t200\tTRACE\tme Link x"}},
    {"Stats", {}, ":srv 211 me link 0", {"OnRaw\t!srv\t211\tme link 0\t0", "OnSystem\t!srv\t211\tSTATS\tme link 0"}},
    {"Stats243", {}, ":srv 243 me O", {"OnRaw\t!srv\t243\tme O\t0", "OnSystem\t!srv\t243\tSTATS\tme O"}},
    {"Whois307", {}, ":srv 307 me bob :is registered", {
        "OnRaw\t!srv\t307\tme bob :is registered\t0", "OnSystem\t!srv\t307\tWHOIS\tbob is registered"}},
    {"NowAway", {}, ":srv 306 me :You are away", {"OnRaw\t!srv\t306\tme :You are away\t0", "OnNowAway\tYou are away"}},
    {"Info374", {}, ":srv 374 me :End of INFO", {"OnRaw\t!srv\t374\tme :End of INFO\t0", "OnSystem\t!srv\t374\tINFO\tme"}},
    {"MotdEnd", {}, ":srv 376 me :End of MOTD", {"OnRaw\t!srv\t376\tme :End of MOTD\t0", "OnSystem\t!srv\t376\tMOTD\tEnd of MOTD"}},
    {"Numeric000IsUnknown", {}, ":srv 000 me x", {"OnRaw\t!srv\t000\tme x\t0", "OnUnknownCommand\t!srv\t000\tme x"}},
    {"ErrorRangeEnd", {}, ":srv 502 me :Cant change mode", {
        "OnRaw\t!srv\t502\tme :Cant change mode\t0", "OnError\t!srv\t502\tme :Cant change mode"}},
    {"CtcpTime", {}, ":n!u PRIVMSG me :\x01TIME\x01", {
        "OnRaw\tn!u\tPRIVMSG\tme :\\x01TIME\\x01\t0", "OnCTCPQuery\tn!u\t-\tTIME\t\t0", "OnSend\tNOTICE n :\\x01TIME Local time is *"}},
    {"EmptyCtcp", {}, ":n!u PRIVMSG me :\x01", {"OnRaw\tn!u\tPRIVMSG\tme :\\x01\t0", "OnCTCPQuery\tn!u\t-\t\t\t0"}},
    {"TooManyParameters", {}, "CMD 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31", {
        "OnRaw\t!\tCMD\t1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31\t0",
        "OnUnknownCommand\t!\tCMD\t1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31"}},
};
// clang-format on

class Dispatch : public EngineFixture, public ::testing::WithParamInterface<DispatchCase>
{
protected:
    void SetUp() override
    {
        irc.Replies.Version = "v9";
        irc.Replies.ClientInfo = "ci";
        irc.OnList = nullptr;
        connect();
    }
};

} // namespace

TEST_P(Dispatch, RaisesTheEventsInOrder)
{
    const DispatchCase& c = GetParam();
    for (const auto& l : c.setup)
        irc.InjectLine(l);
    events.clear();
    irc.InjectLine(c.line);
    std::vector<std::string> got;
    for (const auto& e : events)
        if (e.rfind("OnReceive", 0) != 0)
            got.push_back(e);
    // An expected line ending in "*" stands for any line with that beginning (a time of day, say).
    std::vector<std::string> want = c.events;
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i)
        if (!want[i].empty() && want[i].back() == '*' && got[i].rfind(want[i].substr(0, want[i].size() - 1), 0) == 0)
            want[i] = got[i];
    EXPECT_EQ(got, want) << dump();
}

INSTANTIATE_TEST_SUITE_P(Lines, Dispatch, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
