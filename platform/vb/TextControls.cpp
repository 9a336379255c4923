#include "TextControls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace vb {

// Runs typed keys and inserted text of one edit widget through the owner's KeyPress.
class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* editor, std::function<void(int&)> keyPress, std::function<void()> gotFocus)
        : QObject(editor), m_editor(editor), m_keyPress(std::move(keyPress)), m_gotFocus(std::move(gotFocus))
    {
        editor->installEventFilter(this);
    }

    // One key of the user: KeyPress first, then the key's own effect unless swallowed.
    void deliverKey(int key)
    {
        m_keyPress(key);
        if (key == 0)
            return;
        if (key == 8)
            backspace();
        else if (key >= 32)
            insertRaw(QString(QChar(key)));
        // Enter (13) and other control keys have no effect of their own in a one-line box.
        else if (key == 13)
            newLine();
    }

    // Pasted or dropped text: each character passes KeyPress; control characters are dropped.
    void insertFiltered(const QString& text)
    {
        QString out;
        for (QChar ch : text) {
            if (ch.unicode() < 32)
                continue;
            int key = ch.unicode();
            m_keyPress(key);
            if (key >= 32 && key <= 0xFFFF)
                out += QChar(key);
        }
        if (!out.isEmpty())
            insertRaw(out);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (ke->matches(QKeySequence::Paste)) {
                insertFiltered(QApplication::clipboard()->text());
                return true;
            }
            int key = asciiOf(ke);
            if (key < 0)
                return false; // cursor keys and the like: no KeyPress
            const int typed = key;
            m_keyPress(key);
            if (key == 0)
                return true;
            if (key == typed)
                return false; // the widget handles the key itself
            if (key == 8)
                backspace();
            else if (key >= 32)
                insertRaw(QString(QChar(key)));
            return true;
        }
        case QEvent::ContextMenu: {
            auto* ce = static_cast<QContextMenuEvent*>(e);
            QMenu* menu = standardMenu();
            if (!menu)
                return false;
            for (QAction* a : menu->actions()) {
                if (a->objectName() == QLatin1String("edit-paste") || a->text().contains(QLatin1String("Paste"))) {
                    a->disconnect();
                    connect(a, &QAction::triggered, this, [this] { insertFiltered(QApplication::clipboard()->text()); });
                }
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(ce->globalPos());
            return true;
        }
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(e);
            if (de->mimeData()->hasText()) {
                insertFiltered(de->mimeData()->text());
                de->acceptProposedAction();
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
                insertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
                return true;
            }
            return false;
        }
        case QEvent::FocusIn:
            if (m_gotFocus)
                m_gotFocus();
            return false;
        default:
            return false;
        }
    }

private:
    static int asciiOf(QKeyEvent* ke)
    {
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
            return -1;
        default:
            break;
        }
        if (ke->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return -1;
        const QString t = ke->text();
        if (t.isEmpty() || t.at(0).unicode() < 32)
            return -1;
        return t.at(0).unicode();
    }

    QMenu* standardMenu()
    {
        if (auto* le = qobject_cast<QLineEdit*>(m_editor))
            return le->createStandardContextMenu();
        if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor))
            return pe->createStandardContextMenu();
        return nullptr;
    }

    void insertRaw(const QString& s)
    {
        if (auto* le = qobject_cast<QLineEdit*>(m_editor)) {
            if (!le->isReadOnly())
                le->insert(s);
        } else if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor)) {
            if (!pe->isReadOnly())
                pe->insertPlainText(s);
        }
    }

    void backspace()
    {
        if (auto* le = qobject_cast<QLineEdit*>(m_editor)) {
            if (!le->isReadOnly())
                le->backspace();
        } else if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor)) {
            if (!pe->isReadOnly())
                pe->textCursor().deletePreviousChar();
        }
    }

    void newLine()
    {
        if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor))
            if (!pe->isReadOnly())
                pe->insertPlainText(QStringLiteral("\n"));
    }

    QWidget* m_editor;
    std::function<void(int&)> m_keyPress;
    std::function<void()> m_gotFocus;
};

// =======================================================================================
// TextBox

namespace {

QLineEdit* lineEditOf(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w);
}

QPlainTextEdit* plainEditOf(QWidget* w)
{
    return qobject_cast<QPlainTextEdit*>(w);
}

QWidget* makeEditor(bool multiLine)
{
    if (multiLine) {
        auto* e = new QPlainTextEdit;
        e->setTabChangesFocus(true);
        return e;
    }
    auto* e = new QLineEdit;
    e->setFrame(true);
    return e;
}

} // namespace

TextBox::TextBox(Container& container, bool multiLine) : EditControl(container, makeEditor(multiLine)), m_multiLine(multiLine)
{
    filterKeysOf(widget());
    if (auto* le = lineEditOf(widget())) {
        le->setAcceptDrops(true);
        QObject::connect(le, &QLineEdit::textChanged, this, [this] { raiseChange(); });
    } else if (auto* pe = plainEditOf(widget())) {
        QObject::connect(pe, &QPlainTextEdit::textChanged, this, [this] {
            // A limited multi-line box keeps at most MaxLength characters.
            if (m_maxLength > 0) {
                auto* e = plainEditOf(widget());
                const QString t = e->toPlainText();
                if (t.size() > m_maxLength) {
                    const QSignalBlocker block(e);
                    e->setPlainText(t.left(m_maxLength));
                    QTextCursor c = e->textCursor();
                    c.movePosition(QTextCursor::End);
                    e->setTextCursor(c);
                }
            }
            raiseChange();
        });
    }
}

QString TextBox::text() const
{
    if (auto* le = lineEditOf(widget()))
        return le->text();
    if (auto* pe = plainEditOf(widget()))
        return pe->toPlainText();
    return {};
}

void TextBox::setText(const QString& text)
{
    const QString t = m_maxLength > 0 ? text.left(m_maxLength) : text;
    if (t == this->text())
        return;
    if (auto* le = lineEditOf(widget()))
        le->setText(t);
    else if (auto* pe = plainEditOf(widget())) {
        if (pe->toPlainText() != t)
            pe->setPlainText(t);
    }
}

int TextBox::selStart() const
{
    if (auto* le = lineEditOf(widget()))
        return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    if (auto* pe = plainEditOf(widget()))
        return pe->textCursor().selectionStart();
    return 0;
}

void TextBox::setSelStart(int start)
{
    start = std::clamp(start, 0, static_cast<int>(text().size()));
    if (auto* le = lineEditOf(widget()))
        le->setCursorPosition(start);
    else if (auto* pe = plainEditOf(widget())) {
        QTextCursor c = pe->textCursor();
        c.setPosition(start);
        pe->setTextCursor(c);
    }
}

int TextBox::selLength() const
{
    if (auto* le = lineEditOf(widget()))
        return static_cast<int>(le->selectedText().size());
    if (auto* pe = plainEditOf(widget())) {
        const QTextCursor c = pe->textCursor();
        return c.selectionEnd() - c.selectionStart();
    }
    return 0;
}

void TextBox::setSelLength(int length)
{
    const int start = selStart();
    length = std::clamp(length, 0, static_cast<int>(text().size()) - start);
    if (auto* le = lineEditOf(widget()))
        le->setSelection(start, length);
    else if (auto* pe = plainEditOf(widget())) {
        QTextCursor c = pe->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        pe->setTextCursor(c);
    }
}

QString TextBox::selText() const
{
    if (auto* le = lineEditOf(widget()))
        return le->selectedText();
    if (auto* pe = plainEditOf(widget()))
        return pe->textCursor().selectedText();
    return {};
}

void TextBox::setMaxLength(int length)
{
    m_maxLength = std::max(0, length);
    if (auto* le = lineEditOf(widget()))
        le->setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
}

void TextBox::setLocked(bool locked)
{
    m_locked = locked;
    if (auto* le = lineEditOf(widget()))
        le->setReadOnly(locked);
    else if (auto* pe = plainEditOf(widget()))
        pe->setReadOnly(locked);
}

void TextBox::setAlignment(int alignment)
{
    if (auto* le = lineEditOf(widget()))
        le->setAlignment(alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
}

void TextBox::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void TextBox::setForeColor(const QColor& color)
{
    setWidgetColors(widget(), QColor(), color, widget()->autoFillBackground());
}

void TextBox::setFontBold(bool bold)
{
    setWidgetFont(widget(), bold);
}

void TextBox::setBorderStyle(int style)
{
    if (auto* le = lineEditOf(widget()))
        le->setFrame(style != 0);
    else if (auto* pe = plainEditOf(widget()))
        pe->setFrameStyle(style ? QFrame::StyledPanel : QFrame::NoFrame);
}

void EditControl::type(const QString& keys)
{
    for (QChar ch : keys)
        m_filter->deliverKey(ch.unicode());
}

void EditControl::typeKey(int keyAscii)
{
    m_filter->deliverKey(keyAscii);
}

void EditControl::paste(const QString& text)
{
    m_filter->insertFiltered(text);
}

void EditControl::raiseChange()
{
    if (onChange)
        onChange();
}

void TextBox::wire(TextBox& c, IndexedEvents& ev, int index)
{
    c.onChange = [&ev, index] {
        if (ev.onChange)
            ev.onChange(index);
    };
    c.onKeyPress = [&ev, index](int& key) {
        if (ev.onKeyPress)
            ev.onKeyPress(index, key);
    };
    c.onGotFocus = [&ev, index] {
        if (ev.onGotFocus)
            ev.onGotFocus(index);
    };
}

void TextBox::copyDesignFrom(const Control& other)
{
    if (auto* t = qobject_cast<const TextBox*>(&other)) {
        setMaxLength(t->m_maxLength);
        setLocked(t->m_locked);
        if (auto* mine = lineEditOf(widget()))
            if (auto* theirs = lineEditOf(t->widget())) {
                mine->setAlignment(theirs->alignment());
                mine->setFrame(theirs->hasFrame());
            }
    }
    Control::copyDesignFrom(other);
}

EditControl::EditControl(Container& container, QWidget* widget) : Control(container, widget) {}

void EditControl::filterKeysOf(QWidget* editor)
{
    m_filter = new KeyFilter(
        editor,
        [this](int& key) {
            if (onKeyPress)
                onKeyPress(key);
        },
        [this] {
            if (onGotFocus)
                onGotFocus();
        });
}

void EditControl::clearHandlers()
{
    onChange = nullptr;
    onKeyPress = nullptr;
    onGotFocus = nullptr;
}



// =======================================================================================
// ComboBox

class ComboWidget : public QComboBox {
public:
    explicit ComboWidget(ComboBox& owner, bool editable) : m_owner(owner)
    {
        setEditable(editable);
        setInsertPolicy(QComboBox::NoInsert);
        setDuplicatesEnabled(true);
        setFocusPolicy(Qt::StrongFocus);
        if (editable)
            setCompleter(nullptr);
        connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { m_owner.userPicked(i); });
    }

private:
    ComboBox& m_owner;
};

ComboBox::ComboBox(Container& container, Style style)
    : EditControl(container, new ComboWidget(*this, style == DropDownCombo)), m_style(style)
{
    auto* cb = static_cast<QComboBox*>(widget());
    cb->setCurrentIndex(-1);
    filterKeysOf(cb->isEditable() ? static_cast<QWidget*>(cb->lineEdit()) : static_cast<QWidget*>(cb));
    if (QLineEdit* le = cb->lineEdit()) {
        le->setAcceptDrops(true);
        // Only the user's edits come here; a pick from the list and code go their own ways.
        QObject::connect(le, &QLineEdit::textEdited, this, [this] {
            m_listIndex = -1;
            raiseChange();
        });
    }
}

QString ComboBox::text() const
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (cb->isEditable())
        return cb->lineEdit()->text();
    return m_listIndex >= 0 ? cb->itemText(m_listIndex) : QString();
}

void ComboBox::setText(const QString& text)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (!cb->isEditable()) {
        const int i = cb->findText(text, Qt::MatchExactly);
        if (i < 0)
            throw Error(383, "'Text' property is read-only");
        setListIndex(i);
        return;
    }
    const bool changed = cb->lineEdit()->text() != text;
    {
        const QSignalBlocker block(cb->lineEdit());
        cb->lineEdit()->setText(text);
    }
    m_listIndex = cb->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (changed)
        raiseChange();
}

void ComboBox::addItem(const QString& item, int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    const int count = cb->count();
    if (index < 0 || index > count)
        index = count;
    const QString keep = cb->isEditable() ? cb->lineEdit()->text() : QString();
    {
        const QSignalBlocker block(cb);
        cb->insertItem(index, item);
        cb->setCurrentIndex(m_listIndex >= index ? m_listIndex + 1 : m_listIndex);
        if (cb->isEditable()) {
            const QSignalBlocker b2(cb->lineEdit());
            cb->lineEdit()->setText(keep);
        }
    }
    if (m_listIndex >= index)
        ++m_listIndex;
}

void ComboBox::removeItem(int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < 0 || index >= cb->count())
        throw Error(5, "Invalid procedure call or argument");
    const QString keep = cb->isEditable() ? cb->lineEdit()->text() : QString();
    {
        const QSignalBlocker block(cb);
        cb->removeItem(index);
        if (index == m_listIndex)
            m_listIndex = -1;
        else if (index < m_listIndex)
            --m_listIndex;
        cb->setCurrentIndex(m_listIndex);
        if (cb->isEditable()) {
            const QSignalBlocker b2(cb->lineEdit());
            cb->lineEdit()->setText(keep);
        }
    }
}

void ComboBox::clear()
{
    auto* cb = static_cast<QComboBox*>(widget());
    const QSignalBlocker block(cb);
    cb->clear();
    m_listIndex = -1;
    if (cb->isEditable()) {
        const QSignalBlocker b2(cb->lineEdit());
        cb->lineEdit()->clear();
    }
}

QString ComboBox::list(int index) const
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < 0 || index >= cb->count())
        return QString();
    return cb->itemText(index);
}

void ComboBox::setList(int index, const QString& item)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < 0 || index >= cb->count())
        throw Error(381, "Invalid property array index");
    const QSignalBlocker block(cb);
    cb->setItemText(index, item);
}

int ComboBox::listCount() const
{
    return static_cast<QComboBox*>(widget())->count();
}

QStringList ComboBox::items() const
{
    QStringList out;
    auto* cb = static_cast<QComboBox*>(widget());
    for (int i = 0; i < cb->count(); ++i)
        out << cb->itemText(i);
    return out;
}

void ComboBox::setListIndex(int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < -1 || index >= cb->count())
        throw Error(380, "Invalid property value");
    m_listIndex = index;
    {
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(index);
        if (cb->isEditable()) {
            const QSignalBlocker b2(cb->lineEdit());
            cb->lineEdit()->setText(index >= 0 ? cb->itemText(index) : QString());
        }
    }
    if (index >= 0 && onClick)
        onClick();
}

void ComboBox::userPicked(int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    m_listIndex = index;
    if (cb->isEditable() && index >= 0) {
        const QSignalBlocker b(cb->lineEdit());
        cb->lineEdit()->setText(cb->itemText(index));
    }
    if (onClick)
        onClick();
}

void ComboBox::pick(int index)
{
    if (!isEnabled())
        return;
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < 0 || index >= cb->count())
        return;
    {
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(index);
    }
    userPicked(index);
}

int ComboBox::selStart() const
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (QLineEdit* le = cb->lineEdit())
        return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    return 0;
}

void ComboBox::setSelStart(int start)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (QLineEdit* le = cb->lineEdit())
        le->setCursorPosition(std::clamp(start, 0, static_cast<int>(le->text().size())));
}

int ComboBox::selLength() const
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (QLineEdit* le = cb->lineEdit())
        return static_cast<int>(le->selectedText().size());
    return 0;
}

void ComboBox::setSelLength(int length)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (QLineEdit* le = cb->lineEdit()) {
        const int start = selStart();
        le->setSelection(start, std::clamp(length, 0, static_cast<int>(le->text().size()) - start));
    }
}

void ComboBox::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void ComboBox::setForeColor(const QColor& color)
{
    setWidgetColors(widget(), QColor(), color, widget()->autoFillBackground());
}

void ComboBox::setFontBold(bool bold)
{
    setWidgetFont(widget(), bold);
}

void ComboBox::setMaxVisibleItems(int count)
{
    static_cast<QComboBox*>(widget())->setMaxVisibleItems(count);
}

void ComboBox::setDragEnabled(bool on)
{
    if (QLineEdit* le = static_cast<QComboBox*>(widget())->lineEdit())
        le->setDragEnabled(on);
}

void ComboBox::wire(ComboBox& c, IndexedEvents& ev, int index)
{
    c.onChange = [&ev, index] {
        if (ev.onChange)
            ev.onChange(index);
    };
    c.onClick = [&ev, index] {
        if (ev.onClick)
            ev.onClick(index);
    };
    c.onKeyPress = [&ev, index](int& key) {
        if (ev.onKeyPress)
            ev.onKeyPress(index, key);
    };
    c.onGotFocus = [&ev, index] {
        if (ev.onGotFocus)
            ev.onGotFocus(index);
    };
}

void ComboBox::copyDesignFrom(const Control& other)
{
    if (auto* c = qobject_cast<const ComboBox*>(&other)) {
        auto* mine = static_cast<QComboBox*>(widget());
        auto* theirs = static_cast<QComboBox*>(c->widget());
        mine->setMaxVisibleItems(theirs->maxVisibleItems());
        if (mine->lineEdit() && theirs->lineEdit())
            mine->lineEdit()->setDragEnabled(theirs->lineEdit()->dragEnabled());
    }
    Control::copyDesignFrom(other);
}

void ComboBox::clearHandlers()
{
    EditControl::clearHandlers();
    onClick = nullptr;
}

} // namespace vb
