// A window with a TIRCMemo full of coloured sample lines, for looking at the view as a user does.
// Usage: view_demo [lines] [top]   (default 200 lines; new lines keep arriving twice a second, unless "top" is
// given: then the view shows its first lines with a selection in them and nothing more arrives)
#include "bench/view/BenchLines.h"
#include "view/AppendLine.h"
#include "view/TIRCMemo.h"

#include <string>

#include <QApplication>
#include <QFont>
#include <QTimer>

using namespace morva;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(0, std::atoi(argv[1])) : 200;

    TIRCMemo view;
    view.setWindowTitle("view_demo");
    view.setFont(QFont("DejaVu Sans", 10));
    view.setReadOnly(true);
    view.resize(800, 600);

    // clang-format off
    const char* const samples[] = {
        "\x03" "4" "12:00:01" "\x03" " " "\x03" "3* \xc2\xfb \xe2\xee\xf8\xeb\xe8 \xed\xe0 \xea\xe0\xed\xe0\xeb #Dawnhall",
        "\x03" "4" "12:00:02" "\x03" " " "\x03" "2* \xd2\xe5\xec\xe0: \x02\xc4\xee\xe1\xf0\xee \xef\xee\xe6\xe0\xeb\xee\xe2\xe0\xf2\xfc!\x02 see www.dawnhall.example",
        "\x03" "4" "12:00:03 " "\x03" "14\x02<\x03" "9Alyona\x03" "14>\x02\x03" "1 \x1funderlined\x1f, \x02" "bold\x02, \x16reversed\x16 and plain",
        "\x03" "4" "12:00:04 " "\x03" "14\x02<\x03" "9bob\x03" "14>\x02\x03" "1 " "\x03" "0,1 0 \x03" "1,0 1 \x03" "2 2 \x03" "3 3 \x03" "4 4 \x03" "5 5 \x03" "6 6 \x03" "7 7 \x03" "8,1 8 \x03" "9,1 9 \x03" "10 10 \x03" "11,1 11 \x03" "12 12 \x03" "13 13 \x03" "14 14 \x03" "15,1 15 ",
        "\x03" "4" "12:00:05 " "\x03" "13kot \xec\xe0\xf8\xe5\xf2 \xeb\xe0\xef\xee\xe9",
        "\x03" "4" "12:00:06 " "\x03" "14\x02<\x03" "9zed\x03" "14>\x02\x03" "1 a link: https://example.org/path?q=1 and irc://irc.example/#morva",
        "\x03" "4" "12:00:07 " "\x03" "14\x02<\x03" "9Svetlana\x03" "14>\x02\x03" "1 a long line that has to wrap at the width of the view because it goes on and on, with \x03" "4,8red on yellow\x03 in the middle of it, and still more words after that until it wraps at least once more",
    };
    // clang-format on
    for (const char* s : samples)
        AppendLine(&view, s);
    const auto typical = bench::typicalLines();
    for (int i = 0; i < count; ++i)
        AppendLine(&view, typical[static_cast<std::size_t>(i) % typical.size()]);
    for (const char* s : samples)
        AppendLine(&view, s);

    view.show();
    int n = 0;
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&] { AppendLine(&view, typical[static_cast<std::size_t>(n++) % 64]); });
    if (argc > 2 && std::string(argv[2]) == "top") {
        QTimer::singleShot(300, [&] {
            view.scrollToLine(0);
            view.setFocus();
            view.setSelection(2, 10, 3, 20);
        });
    } else {
        feed.start(500);
    }
    return app.exec();
}
