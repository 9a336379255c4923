// Text boxes and combo boxes: Change and Click as the program relies on them, and the
// KeyPress filter for typed keys, real key events and pasted text.

#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"
#include "vb/TextControls.h"

#include "UserInput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

using namespace vb;

namespace {

class TextForm : public Form {
public:
    explicit TextForm(Runtime& rt) : Form(rt, QStringLiteral("frmText")) {}
    TextBox Box{*this};
    TextBox Note{*this, true};
    ComboBox Combo{*this};
};

// Digits are dropped, "x" becomes "y", everything else passes.
void filter(int& key)
{
    if (key >= '0' && key <= '9')
        key = 0;
    else if (key == 'x')
        key = 'y';
}

} // namespace

TEST(TextBox, ChangeIsRaisedByCodeOnlyWhenTheTextChanges)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    int changes = 0;
    f.Box.onChange = [&] { ++changes; };
    f.Box.setText(QStringLiteral("abc"));
    f.Box.setText(QStringLiteral("abc"));
    EXPECT_EQ(changes, 1);
    f.Box.setText(QString());
    EXPECT_EQ(changes, 2);
}

TEST(TextBox, KeyPressReplacesAndSwallowsTypedKeys)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    std::vector<int> seen;
    f.Box.onKeyPress = [&](int& k) {
        seen.push_back(k);
        filter(k);
    };
    f.Box.type(QStringLiteral("a1x b"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("ay b"));
    f.Box.typeKey(8); // Backspace
    EXPECT_EQ(f.Box.text(), QStringLiteral("ay "));
    EXPECT_EQ(seen.back(), 8);
    f.Box.onKeyPress = [](int& k) { k = 0; };
    f.Box.typeKey(8);
    EXPECT_EQ(f.Box.text(), QStringLiteral("ay ")); // a swallowed Backspace does nothing
}

TEST(TextBox, RealKeyEventsPassTheSameFilter)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.load();
    f.show();
    int enters = 0;
    f.Box.onKeyPress = [&](int& k) {
        if (k == 13) {
            ++enters;
            k = 0;
        }
        filter(k);
    };
    auto* edit = qobject_cast<QLineEdit*>(f.Box.widget());
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("a7xz"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.Box.text(), QStringLiteral("ayz"));
    EXPECT_EQ(enters, 1);
    // Cursor keys raise no KeyPress and keep working.
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClicks(edit, QStringLiteral("q"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("ayqz"));
}

TEST(TextBox, PastedTextPassesTheFilterCharacterByCharacter)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.load();
    f.show();
    f.Box.onKeyPress = filter;
    f.Box.paste(QStringLiteral("x1\r\n2b"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("yb"));
    // The keyboard's paste goes the same way.
    QApplication::clipboard()->setText(QStringLiteral("9x9"));
    auto* edit = qobject_cast<QLineEdit*>(f.Box.widget());
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.Box.text(), QStringLiteral("yby"));
}

TEST(TextBox, MaxLengthLockedAndSelection)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.Box.setMaxLength(5);
    f.Box.type(QStringLiteral("abcdefg"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("abcde"));
    f.Box.setText(QStringLiteral("0123456789"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("01234"));
    f.Box.setSelStart(1);
    f.Box.setSelLength(3);
    EXPECT_EQ(f.Box.selText(), QStringLiteral("123"));
    EXPECT_EQ(f.Box.selStart(), 1);
    EXPECT_EQ(f.Box.selLength(), 3);

    int keys = 0;
    f.Box.onKeyPress = [&](int&) { ++keys; };
    f.Box.setLocked(true);
    f.Box.type(QStringLiteral("zz"));
    EXPECT_EQ(keys, 2); // a locked box still reports keys
    EXPECT_EQ(f.Box.text(), QStringLiteral("01234"));

    f.Note.setMaxLength(4);
    f.Note.paste(QStringLiteral("abcdef"));
    EXPECT_EQ(f.Note.text(), QStringLiteral("abcd"));
}

TEST(ComboBox, ListOperationsKeepOrderAndSelection)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.Combo.addItem(QStringLiteral("b"));
    f.Combo.addItem(QStringLiteral("a"));
    f.Combo.addItem(QStringLiteral("c"), 0);
    EXPECT_EQ(f.Combo.items(), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")})); // never sorted
    EXPECT_EQ(f.Combo.listCount(), 3);
    EXPECT_EQ(f.Combo.listIndex(), -1);
    f.Combo.setListIndex(1);
    EXPECT_EQ(f.Combo.text(), QStringLiteral("b"));
    f.Combo.addItem(QStringLiteral("z"), 0);
    EXPECT_EQ(f.Combo.listIndex(), 2); // still "b"
    EXPECT_EQ(f.Combo.list(f.Combo.listIndex()), QStringLiteral("b"));
    f.Combo.removeItem(0);
    EXPECT_EQ(f.Combo.listIndex(), 1);
    f.Combo.removeItem(1);
    EXPECT_EQ(f.Combo.listIndex(), -1);
    EXPECT_EQ(f.Combo.text(), QStringLiteral("b")); // the text stays
    EXPECT_EQ(f.Combo.list(7), QString());
    EXPECT_THROW(f.Combo.removeItem(7), Error);
    EXPECT_THROW(f.Combo.setListIndex(7), Error);
    f.Combo.clear();
    EXPECT_EQ(f.Combo.listCount(), 0);
    EXPECT_EQ(f.Combo.text(), QString());
}

TEST(ComboBox, PickingRaisesClickAndTypingRaisesChange)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    std::vector<QString> events;
    f.Combo.onChange = [&] { events.push_back(QStringLiteral("Change ") + f.Combo.text()); };
    f.Combo.onClick = [&] { events.push_back(QStringLiteral("Click ") + f.Combo.text()); };
    f.Combo.addItem(QStringLiteral("http://a/"));
    f.Combo.addItem(QStringLiteral("http://b/"));
    f.Combo.setListIndex(1);              // code: Click
    f.Combo.pick(0);                      // user: Click
    f.Combo.type(QStringLiteral("x"));    // user: Change, no longer an entry
    EXPECT_EQ(f.Combo.listIndex(), -1);
    f.Combo.setText(QStringLiteral("http://b/")); // code: Change
    EXPECT_EQ(f.Combo.listIndex(), 1);
    f.Combo.setText(QStringLiteral("http://b/")); // same text: nothing
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("Click http://b/"), QStringLiteral("Click http://a/"),
                                             QStringLiteral("Change http://a/x"), QStringLiteral("Change http://b/")}));
}

TEST(ComboBox, UserPickThroughTheWidgetRaisesOnlyClick)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.load();
    f.show();
    int changes = 0, clicks = 0;
    f.Combo.onChange = [&] { ++changes; };
    f.Combo.onClick = [&] { ++clicks; };
    f.Combo.addItem(QStringLiteral("one"));
    f.Combo.addItem(QStringLiteral("two"));
    auto* cb = qobject_cast<QComboBox*>(f.Combo.widget());
    emit cb->activated(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(f.Combo.text(), QStringLiteral("two"));
    QTest::keyClicks(cb->lineEdit(), QStringLiteral("s"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Combo.text(), QStringLiteral("twos"));
}

TEST(ComboBox, KeyPressFiltersTypingAndPasting)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    int enters = 0;
    f.Combo.onKeyPress = [&](int& k) {
        if (k == 13)
            ++enters;
        filter(k);
    };
    f.Combo.type(QStringLiteral("ax1"));
    f.Combo.typeKey(13);
    f.Combo.paste(QStringLiteral("2x"));
    EXPECT_EQ(f.Combo.text(), QStringLiteral("ayy"));
    EXPECT_EQ(enters, 1);
}

TEST(ComboBox, TheUsersEditingLastsUntilEnterEscapeOrTheFocusGoes)
{
    // How the user's editing ends, after clicking and typing into the box.
    struct Row {
        const char* how;
        std::function<void(TextForm&)> end;
        bool stillEditing;
    };
    const Row rows[] = {
        {"Enter", [](TextForm& f) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, false},
        {"Escape", [](TextForm& f) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, false},
        {"another control takes the focus", [](TextForm& f) { f.Box.widget()->setFocus(Qt::MouseFocusReason); }, false},
        {"the program acts on the text", [](TextForm& f) { f.Combo.endUserEdit(); }, false},
        {"the program writes the box", [](TextForm& f) { f.Combo.setText(QStringLiteral("written")); }, true},
        {"more typing", [](TextForm& f) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_B); }, true},
        {"the whole window is left", [](TextForm& f) {
             QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
             QApplication::sendEvent(f.Combo.widget(), &away);
         }, true},
    };
    for (const Row& row : rows) {
        Runtime rt(Runtime::Mode::Test);
        TextForm f(rt);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.window()));
        f.Combo.setText(QStringLiteral("by the program"));
        // The program's own focus is no edit; the user's click into the box is.
        f.Combo.widget()->setFocus(Qt::OtherFocusReason);
        EXPECT_FALSE(f.Combo.isUserEditing()) << row.how;
        f.Box.widget()->setFocus(Qt::OtherFocusReason);
        f.Combo.widget()->setFocus(Qt::MouseFocusReason);
        EXPECT_TRUE(f.Combo.isUserEditing()) << row.how;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
        EXPECT_TRUE(f.Combo.isUserEditing()) << row.how;
        row.end(f);
        EXPECT_EQ(f.Combo.isUserEditing(), row.stillEditing) << row.how;
    }
}

// A shortened box keeps its text whole for the program and ends a line it cannot show in
// "…" until the user clicks into it; then the whole line is there to read and scroll.
TEST(TextBox, AShortenedLineEndsInAnEllipsisUntilTheUserClicksIntoIt)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.move(0, 0, 400 * TwipsPerPixel, 200 * TwipsPerPixel);
    f.Box.move(0, 0, 80, 20);
    f.Box.setLocked(true);
    f.Note.move(0, 40, 80, 60);
    f.Note.setLocked(true);
    f.show();
    ASSERT_TRUE(testsupport::activateWindowOf(f.window()));
    const QString longName = QStringLiteral("10. 127.0.0.1:18474");
    const QString shortName = QStringLiteral("1. a");
    struct Case {
        TextBox* box;
        QString text;
        bool shortened;
        bool endsInEllipsis;
    };
    const Case cases[] = {
        {&f.Box, longName, false, false},
        {&f.Box, longName, true, true},
        {&f.Box, shortName, true, false},
        {&f.Note, shortName + QLatin1Char('\n') + longName, true, true},
        {&f.Note, shortName + QLatin1Char('\n') + shortName, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        c.box->setShortened(c.shortened);
        c.box->setText(c.text);
        f.Combo.setFocus();
        EXPECT_EQ(c.box->text(), c.text);
        const QString shown = c.box->shownText();
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), c.endsInEllipsis) << shown.toStdString();
        if (c.endsInEllipsis) {
            // What is shown is the start of the text, never a piece that reads as another.
            EXPECT_TRUE(c.text.startsWith(shown.chopped(1))) << shown.toStdString();
            QTest::mouseClick(c.box->widget(), Qt::LeftButton, {}, QPoint(10, 8));
            EXPECT_TRUE(c.box->hasFocus());
            EXPECT_EQ(c.box->shownText(), c.text);
        } else {
            EXPECT_EQ(shown, c.text);
        }
    }
}

// A combo box shows an address from where it begins whenever the program writes it or the
// user leaves it; a change of its list moves neither its text nor its cursor.
TEST(ComboBox, AnAddressIsShownFromItsStartUnlessTheUserIsInIt)
{
    Runtime rt(Runtime::Mode::Test);
    TextForm f(rt);
    f.Combo.move(0, 0, 80, 22);
    f.show();
    ASSERT_TRUE(testsupport::activateWindowOf(f.window()));
    auto* edit = static_cast<QComboBox*>(f.Combo.widget())->lineEdit();
    const QString address = QStringLiteral("http://a-long-host.velmora.example/and/a/path.html");
    struct Step {
        const char* what;
        std::function<void()> act;
        int cursor; // -1: at the end of the text
    };
    const Step steps[] = {
        {"written by code", [&] { f.Combo.setText(address); }, 0},
        {"an entry added to its list", [&] { f.Combo.addItem(QStringLiteral("http://one.example/")); }, 0},
        {"the user in the box, at its end", [&] { f.Combo.setFocus(); edit->end(false); }, -1},
        {"an entry added while the user is in it", [&] { f.Combo.addItem(QStringLiteral("http://two.example/")); }, -1},
        {"an entry removed while the user is in it", [&] { f.Combo.removeItem(0); }, -1},
        {"the user gone to another box", [&] { f.Box.setFocus(); }, 0},
        {"an entry picked by code", [&] { f.Combo.setListIndex(0); }, 0},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(edit->cursorPosition(), s.cursor < 0 ? int(edit->text().size()) : s.cursor) << s.what;
    }
    EXPECT_EQ(f.Combo.text(), QStringLiteral("http://two.example/"));
}
