// The shared text prompt: what comes back on "OK", on "Cancel" and from a test's stand-in.
#include "ui/dialogs/Prompts.h"

#include "text/QtText.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace morva {
namespace {

// Answers the next modal prompt: types text into its field, then accepts or rejects it.
void answerNextPrompt(const QString& text, bool accept)
{
    QTimer::singleShot(0, [text, accept] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        accept ? box->accept() : box->reject();
    });
}

TEST(InputBox, OkReturnsTheEditedTextAndCancelTheDefault)
{
    answerNextPrompt(text::toQString("\xCD\xEE\xE2\xFB\xE9"), true); // "Новый"
    EXPECT_EQ(InputBox("caption", "prompt", "default"), "\xCD\xEE\xE2\xFB\xE9");
    answerNextPrompt(QStringLiteral("typed"), false);
    EXPECT_EQ(InputBox("caption", "prompt", "default"), "default");
}

TEST(InputBox, StartsFromTheDefaultAndShowsTheCaption)
{
    QString seenText, seenCaption;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenCaption = box->windowTitle();
        seenText = box->findChild<QLineEdit*>()->text();
        box->accept();
    });
    EXPECT_EQ(InputBox("\xC2\xEE\xE9\xF2\xE8...", "p", "#chan"), "#chan");
    EXPECT_EQ(seenCaption, QStringLiteral("Войти..."));
    EXPECT_EQ(seenText, QStringLiteral("#chan"));
}

TEST(InputBox, HooksStandInForTheBoxesUntilTheyGo)
{
    std::vector<std::pair<std::string, bool>> shown;
    {
        ScopedPromptHooks hooks(
            {[](const std::string& c, const std::string& p, const std::string& d) { return c + "|" + p + "|" + d; },
             [&](const std::string& text, bool error) { shown.emplace_back(text, error); }});
        EXPECT_EQ(InputBox("a", "b", "c"), "a|b|c");
        ShowMessage("info");
        ShowError("Not Connected");
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(std::string("info"), false));
    EXPECT_EQ(shown[1], std::make_pair(std::string("Not Connected"), true));
    answerNextPrompt(QStringLiteral("real"), true);
    EXPECT_EQ(InputBox("a", "b", "c"), "real");
}

} // namespace
} // namespace morva
