// Every editable control of the kit, driven as the user drives it: real key events to the
// widget that has the focus after a click, right clicks that open the context menu, text
// dropped or composed. KeyPress must see typed characters, Enter and Backspace and nothing
// else, and a box whose KeyPress swallows every key must stay unchanged whatever road the
// user takes.

#include "vb/Form.h"
#include "vb/Runtime.h"
#include "vb/TextControls.h"

#include "TestSupport.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <type_traits>

using namespace vb;
using testsupport::clickInto;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

class KeyForm : public Form {
public:
    explicit KeyForm(Runtime& rt) : Form(rt, QStringLiteral("frmKeys"))
    {
        Box.move(10, 10, 200, 24);
        Note.move(10, 40, 200, 60);
        Combo.move(10, 110, 200, 24);
        List.move(10, 140, 200, 24);
        Other.move(240, 10, 120, 24);
    }
    TextBox Box{*this};
    TextBox Note{*this, true};
    ComboBox Combo{*this};
    ComboBox List{*this, ComboBox::DropDownList};
    TextBox Other{*this};
};

// What the user types, as KeyPress reports it, and what it raised.
struct Log {
    std::vector<int> keys;
    int changes = 0;
    int clicks = 0;
    int focus = 0;
};

class KeyInput : public ::testing::Test {
protected:
    KeyInput()
    {
        f.load();
        f.setWidth(400 * 15);
        f.setHeight(260 * 15);
        f.show();
        EXPECT_TRUE(testsupport::activateWindowOf(f.window()));
        f.List.addItem(QStringLiteral("alpha"));
        f.List.addItem(QStringLiteral("beta"));
        f.Combo.addItem(QStringLiteral("http://a.example/"));
        f.Combo.addItem(QStringLiteral("http://b.example/"));
    }

    // Records everything control raises; filter decides about each key.
    template <class C>
    void record(C& control, Log& log, std::function<void(int&)> filter = {})
    {
        control.onKeyPress = [&log, filter](int& k) {
            log.keys.push_back(k);
            if (filter)
                filter(k);
        };
        control.onChange = [&log] { ++log.changes; };
        control.onGotFocus = [&log] { ++log.focus; };
        if constexpr (std::is_same_v<C, ComboBox>)
            control.onClick = [&log] { ++log.clicks; };
    }

    // The widget that has the focus after a click into control.
    static QWidget* focusByClick(Control& control)
    {
        QWidget* target = control.widget();
        if (auto* cb = qobject_cast<QComboBox*>(target); cb && cb->lineEdit())
            target = cb->lineEdit();
        return clickInto(target);
    }

    static QString textOf(Control& c)
    {
        if (auto* t = qobject_cast<TextBox*>(&c))
            return t->text();
        return static_cast<ComboBox&>(c).text();
    }

    Runtime rt{Runtime::Mode::Test};
    KeyForm f{rt};
};

// The number box's rule: Backspace passes, every other key lands in "1".."6".
void oneToSix(int& k)
{
    if (k != 8)
        k = std::clamp(k, int('1'), int('6'));
}

void swallowAll(int& k)
{
    k = 0;
}

} // namespace

TEST_F(KeyInput, EveryTextKindRaisesKeyPressForTypedKeysEnterAndBackspace)
{
    struct Kind {
        const char* name;
        Control* control;
        QString shown; // the text after "a1", Enter, Backspace, "b"
    };
    const Kind kinds[] = {
        {"one-line box", &f.Box, QStringLiteral("ab")},
        {"multi-line box", &f.Note, QStringLiteral("a1b")}, // Enter made a line, Backspace took it
        {"editable combo", &f.Combo, QStringLiteral("ab")},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Log log;
        if (auto* t = qobject_cast<TextBox*>(kind.control))
            record(*t, log);
        else
            record(*static_cast<ComboBox*>(kind.control), log);
        focusByClick(f.Other);
        // A combo box keeps the focus for its line edit: the keys go to the combo box, as
        // the user's keys do.
        ASSERT_EQ(focusByClick(*kind.control), kind.control->widget());
        EXPECT_EQ(log.focus, 1);
        typeText(QStringLiteral("a1"));
        pressKey(Qt::Key_Return);
        pressKey(Qt::Key_Backspace);
        typeText(QStringLiteral("b"));
        EXPECT_EQ(log.keys, (std::vector<int>{'a', '1', 13, 8, 'b'}));
        EXPECT_EQ(textOf(*kind.control), kind.shown);
        EXPECT_EQ(log.changes, kind.control == &f.Note ? 5 : 4);
    }
}

TEST_F(KeyInput, KeyPressSeesTypedCharactersOnly)
{
    for (Control* c : {static_cast<Control*>(&f.Box), static_cast<Control*>(&f.Combo), static_cast<Control*>(&f.Note)}) {
        Log log;
        if (auto* t = qobject_cast<TextBox*>(c))
            record(*t, log);
        else
            record(*static_cast<ComboBox*>(c), log);
        focusByClick(*c);
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_F5,
                            Qt::Key_Escape, Qt::Key_Insert, Qt::Key_PageUp})
            pressKey(key);
        for (Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_Backspace, Qt::Key_H, Qt::Key_M, Qt::Key_Return})
            pressKey(key, Qt::ControlModifier);
        pressKey(Qt::Key_X, Qt::AltModifier);
        pressKey(Qt::Key_Return, Qt::AltModifier);
        EXPECT_TRUE(log.keys.empty()) << c->metaObject()->className() << " saw " << log.keys.front();
        EXPECT_EQ(textOf(*c).trimmed(), QString()) << c->metaObject()->className();
    }
}

TEST_F(KeyInput, DeleteDeletesAndIsNoCharacter)
{
    // X11 gives Delete the text "\x7f": a filter that maps every key into "1".."6" once
    // turned it into "6".
    for (Control* c : {static_cast<Control*>(&f.Box), static_cast<Control*>(&f.Combo)}) {
        Log log;
        if (auto* t = qobject_cast<TextBox*>(c)) {
            record(*t, log, oneToSix);
            t->setText(QStringLiteral("3"));
        } else {
            record(*static_cast<ComboBox*>(c), log, oneToSix);
            static_cast<ComboBox*>(c)->setText(QStringLiteral("3"));
        }
        log.changes = 0;
        focusByClick(*c);
        pressKey(Qt::Key_Home);
        pressKey(Qt::Key_Delete);
        EXPECT_EQ(textOf(*c), QString());
        EXPECT_EQ(log.changes, 1);
        typeText(QStringLiteral("9"));
        EXPECT_EQ(textOf(*c), QStringLiteral("6"));
        // Deleting asked KeyPress whether Backspace may pass; no key was typed.
        EXPECT_EQ(log.keys, (std::vector<int>{8, '9'}));
    }
}

TEST_F(KeyInput, ReplacedKeysTakeEffectOnEveryRoadIntoTheBox)
{
    // The note box's kind of rule: a quote becomes an apostrophe, a comma a full stop.
    auto noteRule = [](int& k) {
        if (k == '"')
            k = '\'';
        else if (k == ',')
            k = '.';
    };
    for (Control* c : {static_cast<Control*>(&f.Box), static_cast<Control*>(&f.Combo), static_cast<Control*>(&f.Note)}) {
        SCOPED_TRACE(c->metaObject()->className());
        Log log;
        if (auto* t = qobject_cast<TextBox*>(c))
            record(*t, log, noteRule);
        else
            record(*static_cast<ComboBox*>(c), log, noteRule);
        QWidget* focus = focusByClick(*c);
        typeText(QStringLiteral("a,\""));
        QApplication::clipboard()->setText(QStringLiteral(",k"));
        pressKey(Qt::Key_V, Qt::ControlModifier);
        pressKey(Qt::Key_Insert, Qt::ShiftModifier);
        testsupport::composeText(QStringLiteral("\"\u00e9"));
        QWidget* editor = focus;
        if (auto* cb = qobject_cast<QComboBox*>(focus))
            editor = cb->lineEdit();
        else if (auto* pe = qobject_cast<QPlainTextEdit*>(focus))
            editor = pe->viewport();
        testsupport::dropText(editor, QStringLiteral("d,"));
        QMenu* menu = testsupport::openContextMenu(editor);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(testsupport::clickMenuItem(menu, QStringLiteral("Paste")));
        EXPECT_EQ(textOf(*c), QStringLiteral("a.'.k.k'\u00e9d..k"));
        EXPECT_GT(log.changes, 0);
    }
}

TEST_F(KeyInput, ABoxWhoseKeyPressSwallowsEveryKeyStaysUnchanged)
{
    const QString kept = QStringLiteral("http://kept.example/page");
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    for (Control* c : {static_cast<Control*>(&f.Box), static_cast<Control*>(&f.Combo), static_cast<Control*>(&f.Note)}) {
        SCOPED_TRACE(c->metaObject()->className());
        Log log;
        if (auto* t = qobject_cast<TextBox*>(c)) {
            record(*t, log, swallowAll);
            t->setText(kept);
        } else {
            record(*static_cast<ComboBox*>(c), log, swallowAll);
            static_cast<ComboBox*>(c)->setText(kept);
        }
        log.changes = 0;
        QWidget* focus = focusByClick(*c);
        QWidget* editor = focus;
        if (auto* cb = qobject_cast<QComboBox*>(focus))
            editor = cb->lineEdit();
        else if (auto* pe = qobject_cast<QPlainTextEdit*>(focus))
            editor = pe->viewport();

        typeText(QStringLiteral("xy"));
        pressKey(Qt::Key_Return);
        pressKey(Qt::Key_Backspace);
        pressKey(Qt::Key_Home);
        pressKey(Qt::Key_Delete);
        pressKey(Qt::Key_Delete, Qt::ControlModifier);
        pressKey(Qt::Key_End);
        pressKey(Qt::Key_Backspace, Qt::ControlModifier);
        for (Qt::Key k : {Qt::Key_K, Qt::Key_U, Qt::Key_D, Qt::Key_H, Qt::Key_W})
            pressKey(k, Qt::ControlModifier);
        pressKey(Qt::Key_A, Qt::ControlModifier);
        pressKey(Qt::Key_X, Qt::ControlModifier);
        pressKey(Qt::Key_Delete, Qt::ShiftModifier);
        pressKey(Qt::Key_V, Qt::ControlModifier);
        pressKey(Qt::Key_Insert, Qt::ShiftModifier);
        pressKey(Qt::Key_Z, Qt::ControlModifier);
        pressKey(Qt::Key_Y, Qt::ControlModifier);
        pressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        testsupport::composeText(QStringLiteral("\u00e9"));
        testsupport::dropText(editor, QStringLiteral("dropped"));
        EXPECT_EQ(textOf(*c), kept);
        for (const char* item : {"Cut", "Delete", "Paste", "Undo", "Redo"}) {
            pressKey(Qt::Key_A, Qt::ControlModifier);
            QMenu* menu = testsupport::openContextMenu(editor);
            ASSERT_NE(menu, nullptr);
            if (!testsupport::clickMenuItem(menu, QLatin1String(item)))
                menu->close(); // not offered: nothing to do
            EXPECT_EQ(textOf(*c), kept) << item;
        }
        EXPECT_EQ(log.changes, 0);

        // Selecting and copying out stays possible.
        pressKey(Qt::Key_A, Qt::ControlModifier);
        pressKey(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), kept);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
    }
}

TEST_F(KeyInput, ALockedBoxStaysUnchanged)
{
    f.Box.setText(QStringLiteral("locked"));
    f.Box.setLocked(true);
    Log log;
    record(f.Box, log);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    focusByClick(f.Box);
    typeText(QStringLiteral("xy"));
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    testsupport::dropText(f.Box.widget(), QStringLiteral("dropped"));
    QMenu* menu = testsupport::openContextMenu(f.Box.widget());
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(testsupport::clickMenuItem(menu, QStringLiteral("Paste")));
    menu->close();
    EXPECT_EQ(f.Box.text(), QStringLiteral("locked"));
    EXPECT_EQ(log.changes, 0);
}

TEST_F(KeyInput, EditsWithoutATypedKeyFollowWhatKeyPressAllows)
{
    // Letters pass, digits are swallowed, Backspace passes.
    Log log;
    record(f.Box, log, [](int& k) {
        if (k >= '0' && k <= '9')
            k = 0;
    });
    f.Box.setText(QStringLiteral("ab1"));
    focusByClick(f.Box);
    // Removing is Backspace's business: allowed here.
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.Box.text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ab1"));
    // Undo would put a digit back, which no key could type here.
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.Box.text(), QString());
    typeText(QStringLiteral("cd"));
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Z, Qt::ControlModifier); // undo the Backspace: "d" may be typed
    EXPECT_EQ(f.Box.text(), QStringLiteral("cd"));

    // Backspace swallowed, typing allowed: nothing can be removed, not even by Delete.
    record(f.Box, log, [](int& k) {
        if (k == 8)
            k = 0;
    });
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    pressKey(Qt::Key_End);
    pressKey(Qt::Key_Backspace);
    EXPECT_EQ(f.Box.text(), QStringLiteral("cd"));
    typeText(QStringLiteral("e"));
    EXPECT_EQ(f.Box.text(), QStringLiteral("cde"));
}

TEST_F(KeyInput, ChangeComesOnceForEveryNewTextAndNeverForAnUndoneEdit)
{
    Log log;
    bool keep = false;
    record(f.Box, log, [&keep](int& k) {
        if (keep)
            k = 0;
    });
    f.Box.setText(QStringLiteral("abc"));
    EXPECT_EQ(log.changes, 1);
    focusByClick(f.Box);
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(log.changes, 2);
    keep = true;
    pressKey(Qt::Key_Z, Qt::ControlModifier); // would put "a" back
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(f.Box.text(), QStringLiteral("bc"));
    EXPECT_EQ(log.changes, 2);
}

TEST_F(KeyInput, EnterInAnEditableComboIsAKeyNotAPick)
{
    Log log;
    record(f.Combo, log);
    focusByClick(f.Combo);
    // The typed text equals an entry: Enter and leaving the box still pick nothing.
    typeText(QStringLiteral("http://b.example/"));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(log.keys.back(), 13);
    EXPECT_EQ(log.clicks, 0);
    focusByClick(f.Other);
    EXPECT_EQ(log.clicks, 0);
    EXPECT_EQ(f.Combo.listIndex(), -1);
    // The arrow keys pick from the list, as the mouse does.
    focusByClick(f.Combo);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(log.clicks, 1);
    EXPECT_EQ(f.Combo.listIndex(), 0);
    EXPECT_EQ(f.Combo.text(), QStringLiteral("http://a.example/"));
}

TEST_F(KeyInput, ADropDownListPicksByTypedLetterOnlyWhenKeyPressLetsTheKeyThrough)
{
    Log log;
    record(f.List, log, swallowAll);
    // A click drops the list down; Escape folds it up and leaves the focus in the box.
    focusByClick(f.List);
    EXPECT_EQ(log.focus, 1);
    pressKey(Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), f.List.widget());
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Backspace);
    typeText(QStringLiteral("b"));
    EXPECT_EQ(log.keys, (std::vector<int>{13, 8, 'b'}));
    EXPECT_EQ(f.List.listIndex(), -1);
    EXPECT_EQ(log.clicks, 0);
    record(f.List, log);
    typeText(QStringLiteral("b"));
    EXPECT_EQ(f.List.text(), QStringLiteral("beta"));
    EXPECT_EQ(log.clicks, 1);
}

TEST_F(KeyInput, AKeySentToTheComboOrToItsLineEditRaisesKeyPressOnce)
{
    Log log;
    record(f.Combo, log);
    auto* cb = qobject_cast<QComboBox*>(f.Combo.widget());
    QTest::keyClick(cb, Qt::Key_A);
    QTest::keyClick(cb->lineEdit(), Qt::Key_B);
    QTest::keyClick(cb, Qt::Key_Return);
    QTest::keyClick(cb->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(log.keys, (std::vector<int>{'a', 'b', 13, 13}));
    EXPECT_EQ(f.Combo.text(), QStringLiteral("ab"));
    EXPECT_EQ(log.changes, 2);
}
