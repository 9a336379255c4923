#include "TextControls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QToolTip>

namespace vb {

// Runs everything the user does to the text of one edit widget through the owner's
// KeyPress: typed characters, Enter and Backspace arrive as keys; pasted, dropped and
// composed text arrives one character at a time. Every other edit the widget makes on its
// own (Delete, cut, undo and redo, deleting a word, a drag that moves text out) is checked
// against KeyPress afterwards and undone when KeyPress would not have let it happen: text
// may be removed only where Backspace passes unchanged, and put in only where each of its
// characters passes unchanged. So a box whose KeyPress swallows every key stays as the
// program filled it, whatever road the user takes.
class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* editor, std::function<void(int&)> keyPress, std::function<void()> gotFocus)
        : QObject(editor), m_editor(editor), m_keyPress(std::move(keyPress)), m_gotFocus(std::move(gotFocus))
    {
        watch(editor);
        m_mouseTarget = editor;
        if (auto* le = qobject_cast<QLineEdit*>(editor)) {
            // textEdited comes for the user's edits only, before textChanged.
            connect(le, &QLineEdit::textEdited, this, [this] { checkUserEdit(); });
            connect(le, &QLineEdit::textChanged, this, [this] { settle(); });
        } else if (auto* pe = qobject_cast<QPlainTextEdit*>(editor)) {
            // Mouse, drops and the context menu arrive at the viewport, not at the box.
            m_mouseTarget = pe->viewport();
            watch(m_mouseTarget);
            connect(pe, &QPlainTextEdit::textChanged, this, [this] { checkUserEdit(); });
        }
        m_known = currentText();
    }

    // Another widget whose events reach the editor: a combo box hands its key events to
    // its line edit directly, past the line edit's own event filters.
    void watch(QWidget* widget) { widget->installEventFilter(this); }

    // Called after a user's edit of the text that passed the check.
    std::function<void()> onUserEdit;
    // Called when the user enters the box (a click, Tab, a shortcut), and when the user
    // ends editing: Enter, Escape, or the focus gone to another control (not to the box's
    // own list, nor away with the whole window).
    std::function<void()> onEditBegun;
    std::function<void()> onEditEnded;

    // Edits of the kit itself (code setting the text, a filtered key's effect) pass
    // unchecked while one of these lives.
    class KitEdit {
    public:
        explicit KitEdit(KeyFilter& f) : m_f(f) { ++m_f.m_kitEdits; }
        ~KitEdit()
        {
            if (--m_f.m_kitEdits == 0)
                m_f.settle();
        }
        KitEdit(const KitEdit&) = delete;
        KitEdit& operator=(const KitEdit&) = delete;

    private:
        KeyFilter& m_f;
    };

    // The text as the kit knows it now (after code changed it behind blocked signals).
    void settle() { m_known = currentText(); }

    // One key of the user: KeyPress first, then the key's own effect unless swallowed.
    void deliverKey(int key)
    {
        m_keyPress(key);
        applyKey(key);
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
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        // A key the line edit of a combo box ignored (Enter) goes on to the combo box:
        // KeyPress has seen it already.
        if (isKeyEvent(e->type())) {
            const bool seen = e->type() == QEvent::KeyPress && watched != m_editor && e == m_editorKey;
            m_editorKey = nullptr;
            if (seen)
                return true;
        }
        // A key let through to the widget accounts for the one edit it makes, no more.
        if (startsUserAction(e->type()))
            m_keyLetThrough = false;
        switch (e->type()) {
        case QEvent::ShortcutOverride: {
            // Keys that reach KeyPress belong to the box, never to a shortcut of the window.
            auto* ke = static_cast<QKeyEvent*>(e);
            if (typedKey(ke) < 0 && !ke->matches(QKeySequence::Paste))
                return false;
            ke->accept();
            return true;
        }
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (onEditEnded && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Escape))
                onEditEnded();
            if (ke->matches(QKeySequence::Paste)) {
                insertFiltered(QApplication::clipboard()->text());
                return true;
            }
            if (watched == m_editor)
                m_editorKey = e;
            int key = typedKey(ke);
            if (key < 0) {
                // Alt and Meta with a letter type nothing, though Qt would put the letter in.
                const Qt::KeyboardModifiers mods = ke->modifiers();
                if ((mods & (Qt::AltModifier | Qt::MetaModifier)) && !(mods & Qt::ControlModifier) &&
                    ke->text().size() == 1 && ke->text().at(0).isPrint())
                    return true;
                return false; // moving and editing keys: whatever they change is checked
            }
            const int typed = key;
            m_keyPress(key);
            if (key == typed) {
                m_keyLetThrough = true;
                return false; // the widget handles the key itself
            }
            applyKey(key);
            return true;
        }
        case QEvent::InputMethod: {
            // Composed characters (dead keys, input methods) are typed text too.
            auto* ie = static_cast<QInputMethodEvent*>(e);
            if (ie->commitString().isEmpty() || ie->replacementLength() != 0)
                return false;
            QInputMethodEvent composing(ie->preeditString(), ie->attributes());
            QCoreApplication::sendEvent(m_editor, &composing);
            insertFiltered(ie->commitString());
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
            if (watched != m_mouseTarget)
                return false;
            auto* de = static_cast<QDropEvent*>(e);
            if (de->mimeData()->hasText()) {
                insertFiltered(de->mimeData()->text());
                de->acceptProposedAction();
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (watched == m_mouseTarget && me->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
                insertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
                return true;
            }
            return false;
        }
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (onEditBegun
                && (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                    || reason == Qt::ShortcutFocusReason))
                onEditBegun();
            if (m_gotFocus)
                m_gotFocus();
            return false;
        }
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (onEditEnded && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                onEditEnded();
            return false;
        }
        default:
            return false;
        }
    }

private:
    static bool isKeyEvent(QEvent::Type type)
    {
        return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
    }

    static bool startsUserAction(QEvent::Type type)
    {
        switch (type) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            return true;
        default:
            return false;
        }
    }

    // The key a key event types, as KeyPress sees it: 13 Enter, 8 Backspace, or a printable
    // character; -1 for everything else. Delete, cursor and function keys and Ctrl, Alt or
    // Meta combinations type nothing, whatever text the platform gives them (X11 gives
    // Delete "\x7f" and Ctrl+letters control characters).
    static int typedKey(const QKeyEvent* ke)
    {
        const bool command = ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return command ? -1 : 13;
        case Qt::Key_Backspace:
            return command ? -1 : 8;
        default:
            break;
        }
        const QString t = ke->text();
        if (command || t.size() != 1 || !t.at(0).isPrint())
            return -1;
        return t.at(0).unicode();
    }

    // The effect of a key KeyPress left or replaced.
    void applyKey(int key)
    {
        if (key == 8)
            backspace();
        else if (key == 13)
            newLine(); // a one-line box has no effect of its own for Enter
        else if (key >= 32 && key <= 0xFFFF)
            insertRaw(QString(QChar(key)));
    }

    QString currentText() const
    {
        if (auto* le = qobject_cast<QLineEdit*>(m_editor))
            return le->text();
        if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor))
            return pe->toPlainText();
        return {};
    }

    // An edit the widget made on its own: kept when KeyPress accounts for it, else undone.
    void checkUserEdit()
    {
        const QString before = m_known;
        const QString after = currentText();
        if (m_kitEdits > 0 || m_keyLetThrough || after == before || keyPressAllows(before, after)) {
            m_keyLetThrough = false;
            m_known = after;
            if (onUserEdit)
                onUserEdit();
            return;
        }
        int common = 0;
        while (common < before.size() && common < after.size() && before.at(common) == after.at(common))
            ++common;
        KitEdit undo(*this);
        if (auto* le = qobject_cast<QLineEdit*>(m_editor)) {
            le->setText(before);
            le->setCursorPosition(common);
        } else if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor)) {
            pe->setPlainText(before);
            QTextCursor c = pe->textCursor();
            c.setPosition(common);
            pe->setTextCursor(c);
        }
    }

    // Whether KeyPress lets the edit from before to after happen: the part removed needs
    // Backspace to pass unchanged, each character put in needs to pass unchanged.
    bool keyPressAllows(const QString& before, const QString& after)
    {
        qsizetype head = 0;
        while (head < before.size() && head < after.size() && before.at(head) == after.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < before.size() - head && tail < after.size() - head &&
               before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
            ++tail;
        if (before.size() - head - tail > 0) {
            int key = 8;
            m_keyPress(key);
            if (key != 8)
                return false;
        }
        for (QChar ch : after.mid(head, after.size() - head - tail)) {
            if (ch.unicode() < 32)
                continue; // line breaks: not typed characters, nothing to ask
            int key = ch.unicode();
            m_keyPress(key);
            if (key != ch.unicode())
                return false;
        }
        return true;
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
        KitEdit edit(*this);
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
        KitEdit edit(*this);
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
        KitEdit edit(*this);
        if (auto* pe = qobject_cast<QPlainTextEdit*>(m_editor))
            if (!pe->isReadOnly())
                pe->insertPlainText(QStringLiteral("\n"));
    }

    QWidget* m_editor;
    QWidget* m_mouseTarget; // where mouse events and drops of the editor arrive
    std::function<void(int&)> m_keyPress;
    std::function<void()> m_gotFocus;
    QString m_known;          // the text as it stood after the last accepted change
    int m_kitEdits = 0;       // kit edits under way
    bool m_keyLetThrough = false; // a typed key passed KeyPress and goes to the widget
    const QEvent* m_editorKey = nullptr; // the key press the editor itself is handling
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

// A one-line editor that can show its text shortened while it does not have the focus.
class LineWidget : public QLineEdit {
public:
    bool shortened = false;

    QString shownText() const
    {
        if (!shortened || hasFocus())
            return text();
        return fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width());
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        const QString shown = shownText();
        if (shown == text()) {
            QLineEdit::paintEvent(e);
            return;
        }
        QPainter p(this);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        p.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }

private:
    // Where the line edit puts its text: inside its contents and text margins, 2 pixels in
    // from each side, one line high in the middle.
    QRect textRect() const
    {
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
        const int h = fontMetrics().height();
        return QRect(r.x() + 2, r.y() + (r.height() - h + 1) / 2, r.width() - 4, h);
    }
};

// A multi-line editor that can show each of its lines shortened while it does not have
// the focus.
class LinesWidget : public QPlainTextEdit {
public:
    bool shortened = false;

    bool showsShortened() const { return shortened && !hasFocus(); }

    QString shownLine(const QTextBlock& block) const
    {
        if (!showsShortened())
            return block.text();
        return fontMetrics().elidedText(block.text(), Qt::ElideRight, lineRoom());
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (!showsShortened()) {
            QPlainTextEdit::paintEvent(e);
            return;
        }
        QPainter p(viewport());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        const QPointF offset = contentOffset();
        const int margin = int(document()->documentMargin());
        for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
            const QRectF r = blockBoundingGeometry(block).translated(offset);
            if (r.top() > viewport()->height())
                break;
            // Shortened lines are shown from their start, however far the box was scrolled.
            p.drawText(QRectF(margin, r.top(), lineRoom(), r.height()), Qt::AlignLeft | Qt::AlignVCenter, shownLine(block));
        }
    }

    bool viewportEvent(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip && showsShortened()) {
            auto* help = static_cast<QHelpEvent*>(e);
            const QTextBlock block = cursorForPosition(help->pos()).block();
            if (block.isValid() && shownLine(block) != block.text()) {
                QToolTip::showText(help->globalPos(), block.text(), viewport());
                return true;
            }
        }
        return QPlainTextEdit::viewportEvent(e);
    }

    void focusInEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusInEvent(e);
        viewport()->update();
    }

    void focusOutEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusOutEvent(e);
        viewport()->update();
    }

private:
    int lineRoom() const { return viewport()->width() - 2 * int(document()->documentMargin()); }
};

QWidget* makeEditor(bool multiLine)
{
    if (multiLine) {
        auto* e = new LinesWidget;
        e->setTabChangesFocus(true);
        return e;
    }
    auto* e = new LineWidget;
    e->setFrame(true);
    return e;
}

} // namespace

TextBox::TextBox(Container& container, bool multiLine) : EditControl(container, makeEditor(multiLine)), m_multiLine(multiLine)
{
    filterKeysOf(widget());
    if (auto* le = lineEditOf(widget())) {
        le->setAcceptDrops(true);
        QObject::connect(le, &QLineEdit::textChanged, this, [this] { textChanged(); });
    } else if (auto* pe = plainEditOf(widget())) {
        QObject::connect(pe, &QPlainTextEdit::textChanged, this, [this] {
            // A limited multi-line box keeps at most MaxLength characters.
            if (m_maxLength > 0) {
                auto* e = plainEditOf(widget());
                const QString t = e->toPlainText();
                if (t.size() > m_maxLength) {
                    const KeyFilter::KitEdit edit(keyFilter());
                    const QSignalBlocker block(e);
                    e->setPlainText(t.left(m_maxLength));
                    QTextCursor c = e->textCursor();
                    c.movePosition(QTextCursor::End);
                    e->setTextCursor(c);
                }
            }
            textChanged();
        });
    }
}

// Change comes once for each new text: an edit the key filter undid, and Qt's late signal
// for it, leave the text as it was and raise nothing.
void TextBox::textChanged()
{
    const QString now = text();
    if (now == m_announced)
        return;
    m_announced = now;
    raiseChange();
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
    const KeyFilter::KitEdit edit(keyFilter());
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

void TextBox::setShortened(bool on)
{
    if (auto* le = dynamic_cast<LineWidget*>(widget()))
        le->shortened = on;
    else if (auto* pe = dynamic_cast<LinesWidget*>(widget()))
        pe->shortened = on;
    widget()->update();
}

QString TextBox::shownText() const
{
    if (auto* le = dynamic_cast<const LineWidget*>(widget()))
        return le->shownText();
    if (auto* pe = dynamic_cast<const LinesWidget*>(widget())) {
        QStringList lines;
        for (QTextBlock block = pe->document()->firstBlock(); block.isValid(); block = block.next())
            lines << pe->shownLine(block);
        return lines.join(QLatin1Char('\n'));
    }
    return text();
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
        if (auto* mine = dynamic_cast<LineWidget*>(widget()))
            if (auto* theirs = dynamic_cast<const LineWidget*>(t->widget()))
                mine->shortened = theirs->shortened;
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
        if (editable) {
            setCompleter(nullptr);
            // Qt selects the entry that matches the typed text when editing ends (Enter, or
            // leaving the box) and reports it as activated; only a pick from the list is
            // the user's choice, and Enter is KeyPress's alone.
            disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
        }
        connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { m_owner.userPicked(i); });
    }

protected:
    // Left for another control, the box shows its text from the start again (an address
    // from where it begins), as it does whenever code writes it. Its own list opening, or
    // another window taking the focus, leaves it as it is.
    void focusOutEvent(QFocusEvent* e) override
    {
        QComboBox::focusOutEvent(e);
        if (lineEdit() && e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
            lineEdit()->setCursorPosition(0);
    }

private:
    ComboBox& m_owner;
};

ComboBox::ComboBox(Container& container, Style style)
    : EditControl(container, new ComboWidget(*this, style == DropDownCombo)), m_style(style)
{
    auto* cb = static_cast<QComboBox*>(widget());
    cb->setCurrentIndex(-1);
    QLineEdit* le = cb->lineEdit();
    filterKeysOf(le ? static_cast<QWidget*>(le) : static_cast<QWidget*>(cb));
    if (le) {
        // The combo box holds the focus and hands its key events to the line edit directly,
        // past the line edit's own filters.
        keyFilter().watch(cb);
        le->setAcceptDrops(true);
        // Only the user's edits come here; a pick from the list and code go their own ways.
        keyFilter().onUserEdit = [this] {
            m_listIndex = -1;
            m_userEditing = true;
            raiseChange();
        };
        keyFilter().onEditBegun = [this] { m_userEditing = true; };
        keyFilter().onEditEnded = [this] { m_userEditing = false; };
    }
}

ComboBox::~ComboBox()
{
    // The widget goes after this object (with the control): the focus it gives up on its
    // way out must not reach this box any more.
    if (auto* cb = static_cast<QComboBox*>(widget()); cb && cb->lineEdit()) {
        keyFilter().onUserEdit = nullptr;
        keyFilter().onEditBegun = nullptr;
        keyFilter().onEditEnded = nullptr;
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
        const KeyFilter::KitEdit edit(keyFilter());
        const QSignalBlocker block(cb->lineEdit());
        cb->lineEdit()->setText(text);
        // A text the program writes is shown from its start (an address from where it
        // begins), as a box shows a text the user has not touched yet.
        cb->lineEdit()->setCursorPosition(0);
    }
    m_listIndex = cb->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (changed)
        raiseChange();
}

namespace {

// The edit part of a combo box as it stands: its text, cursor and selection, put back after
// the list changes under it (a change of the list moves neither).
class EditPartKept {
public:
    explicit EditPartKept(QComboBox* cb) : m_edit(cb->isEditable() ? cb->lineEdit() : nullptr)
    {
        if (!m_edit)
            return;
        m_text = m_edit->text();
        m_cursor = m_edit->cursorPosition();
        m_selStart = m_edit->selectionStart();
        m_selLength = int(m_edit->selectedText().size());
    }
    void restore() const
    {
        if (!m_edit)
            return;
        const QSignalBlocker block(m_edit);
        m_edit->setText(m_text);
        if (m_selLength > 0)
            m_edit->setSelection(m_selStart, m_selLength);
        else
            m_edit->setCursorPosition(m_cursor);
    }

private:
    QLineEdit* m_edit;
    QString m_text;
    int m_cursor = 0;
    int m_selStart = -1;
    int m_selLength = 0;
};

} // namespace

void ComboBox::addItem(const QString& item, int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    const int count = cb->count();
    if (index < 0 || index > count)
        index = count;
    const EditPartKept kept(cb);
    {
        const KeyFilter::KitEdit edit(keyFilter());
        const QSignalBlocker block(cb);
        cb->insertItem(index, item);
        cb->setCurrentIndex(m_listIndex >= index ? m_listIndex + 1 : m_listIndex);
        kept.restore();
    }
    if (m_listIndex >= index)
        ++m_listIndex;
}

void ComboBox::removeItem(int index)
{
    auto* cb = static_cast<QComboBox*>(widget());
    if (index < 0 || index >= cb->count())
        throw Error(5, "Invalid procedure call or argument");
    const EditPartKept kept(cb);
    {
        const KeyFilter::KitEdit edit(keyFilter());
        const QSignalBlocker block(cb);
        cb->removeItem(index);
        if (index == m_listIndex)
            m_listIndex = -1;
        else if (index < m_listIndex)
            --m_listIndex;
        cb->setCurrentIndex(m_listIndex);
        kept.restore();
    }
}

void ComboBox::clear()
{
    auto* cb = static_cast<QComboBox*>(widget());
    const KeyFilter::KitEdit edit(keyFilter());
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
        const KeyFilter::KitEdit edit(keyFilter());
        const QSignalBlocker block(cb);
        cb->setCurrentIndex(index);
        if (cb->isEditable()) {
            const QSignalBlocker b2(cb->lineEdit());
            cb->lineEdit()->setText(index >= 0 ? cb->itemText(index) : QString());
            cb->lineEdit()->setCursorPosition(0);
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
        const KeyFilter::KitEdit edit(keyFilter());
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
        const KeyFilter::KitEdit edit(keyFilter());
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
