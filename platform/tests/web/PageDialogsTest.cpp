// A page's dialogs: when the dialog offers to stop them, what stopping does, and the dialog
// itself answered with real keys.

#include "web/PageDialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QUrl>

#include <functional>

#include <vector>

using namespace Qt::StringLiterals;
using vb::PageAnswer;
using vb::PageDialog;
using vb::PageDialogRule;
using vb::PageQuestion;

namespace {

TEST(PageDialogRule, TheOfferComesWithARepeatAndStoppingLastsUntilThePageIsLeft)
{
    // One step: a dialog that begins at beginMs (offering to stop or not) and ends at
    // endMs with the user's choice; or the page being left.
    struct Step {
        qint64 beginMs;
        bool offers;
        qint64 endMs;
        bool stopAsked;
        bool stoppedAfter;
    };
    constexpr qint64 Left = -1;
    constexpr qint64 repeat = PageDialogRule::RepeatMs;
    const std::vector<std::vector<Step>> cases = {
        // The first dialog of a page offers nothing, however long it stays.
        {{0, false, 60000, false, false}},
        // The next one within the repeat time offers; one after it does not.
        {{0, false, 1000, false, false}, {1000 + repeat, true, 1000 + repeat, false, false},
         {2000 + 2 * repeat + 1, false, 2000 + 2 * repeat + 1, false, false}},
        // Taking the offer stops the dialogs; leaving the page lets them come again, and
        // a loop that follows gets the offer at once.
        {{0, false, 10, false, false}, {10, true, 20, true, true}, {Left, false, 0, false, false},
         {30, true, 40, false, false}},
        // Declining it keeps asking, with the offer each time.
        {{0, false, 10, false, false}, {10, true, 20, false, false}, {20, true, 30, false, false}},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        PageDialogRule rule;
        for (size_t i = 0; i < cases[c].size(); ++i) {
            const Step& step = cases[c][i];
            if (step.beginMs == Left) {
                rule.pageLeft();
            } else {
                EXPECT_EQ(rule.offersStop(step.beginMs), step.offers) << "case " << c << " step " << i;
                rule.dialogEnded(step.endMs, PageAnswer{true, {}, step.stopAsked});
            }
            EXPECT_EQ(rule.stopped(), step.stoppedAfter) << "case " << c << " step " << i;
        }
    }
}

QStringList buttonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QPushButton* b : dialog.findChildren<QPushButton*>())
        texts << b->text().remove(u'&');
    texts.sort();
    return texts;
}

TEST(PageDialog, EachQuestionIsAnsweredWithTheKeysOfAPlainDialog)
{
    struct Row {
        PageQuestion question;
        bool offerStop;
        QStringList buttons;
        std::function<void(PageDialog&)> user;
        bool accepted;
        QString value;
        bool stopAsked;
    };
    const auto key = [](Qt::Key k) {
        return [k](PageDialog& d) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d, k); };
    };
    const Row rows[] = {
        {{PageQuestion::Kind::Alert, u"a.test"_s, u"hello"_s, {}}, false, {u"OK"_s}, key(Qt::Key_Return), true, {}, false},
        {{PageQuestion::Kind::Confirm, u"a.test"_s, u"sure?"_s, {}}, false, {u"Cancel"_s, u"OK"_s}, key(Qt::Key_Escape),
         false, {}, false},
        {{PageQuestion::Kind::Prompt, u"a.test"_s, u"name?"_s, u"given"_s}, false, {u"Cancel"_s, u"OK"_s},
         [](PageDialog&) {
             QTest::keyClicks(QApplication::focusWidget(), u"mine"_s);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         },
         true, u"mine"_s, false},
        {{PageQuestion::Kind::Leave, {}, u"ignored"_s, {}}, false, {u"Leave"_s, u"Stay"_s}, key(Qt::Key_Return), true,
         {}, false},
        // The offer taken with its shortcut and Enter at once, faster than the box's press
        // ends.
        {{PageQuestion::Kind::Confirm, u"a.test"_s, u"quick"_s, {}}, true, {u"Cancel"_s, u"OK"_s},
         [](PageDialog& d) {
             QTest::keyClick(d.windowHandle(), Qt::Key_S, Qt::AltModifier);
             QTest::keyClick(d.windowHandle(), Qt::Key_Return);
         },
         true, {}, true},
        // The offer: ticked with the space bar, then the dialog closed.
        {{PageQuestion::Kind::Alert, u"a.test"_s, u"again"_s, {}}, true, {u"OK"_s},
         [](PageDialog& d) {
             auto* stop = d.findChild<QCheckBox*>(u"stopDialogs"_s);
             ASSERT_TRUE(stop);
             stop->setFocus();
             QTest::keyClick(stop, Qt::Key_Space);
             QTest::keyClick(stop, Qt::Key_Escape);
         },
         false, {}, true},
    };
    for (const Row& row : rows) {
        PageDialog dialog(row.question, row.offerStop, nullptr);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        const QString what = row.question.text;
        EXPECT_FALSE(dialog.isModal()) << what.toStdString();
        EXPECT_EQ(buttonTexts(dialog), row.buttons) << what.toStdString();
        EXPECT_EQ(dialog.findChild<QCheckBox*>(u"stopDialogs"_s) != nullptr, row.offerStop) << what.toStdString();
        row.user(dialog);
        EXPECT_FALSE(dialog.isVisible()) << what.toStdString();
        const PageAnswer answer = dialog.answer();
        EXPECT_EQ(answer.accepted, row.accepted) << what.toStdString();
        EXPECT_EQ(answer.value, row.value) << what.toStdString();
        EXPECT_EQ(answer.stopAsked, row.stopAsked) << what.toStdString();
    }
}

TEST(PageDialog, ThePagesTextIsShownAsTextAndKeptToAReadableLength)
{
    const QString markup = u"<img src=x onerror=alert(1)><b>bold</b>"_s;
    PageDialog shown({PageQuestion::Kind::Alert, u"a.test"_s, markup, {}}, false, nullptr);
    const auto* label = shown.findChild<QLabel*>(u"text"_s);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), markup);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(shown.windowTitle(), u"Message from a.test"_s);

    PageDialog huge({PageQuestion::Kind::Confirm, {}, QString(1000000, u'x'), {}}, false, nullptr);
    const auto* hugeLabel = huge.findChild<QLabel*>(u"text"_s);
    ASSERT_TRUE(hugeLabel);
    EXPECT_EQ(hugeLabel->text().size(), PageDialog::MaxTextLength + 1);
    EXPECT_EQ(huge.windowTitle(), u"Message from a page on this computer"_s);
}

} // namespace
