#pragma once
// Text boxes and combo boxes. Typed characters, Enter (13) and Backspace (8) pass through
// KeyPress, whose handler may replace the key (KeyAscii) or swallow it (KeyAscii = 0);
// pasted, dropped or composed text passes through the same filter one character at a
// time. Other edits of the user (Delete, cut, undo, redo) happen only where KeyPress would
// let the same change through, so a box whose KeyPress swallows every key stays as the
// program filled it. Setting Text from code raises Change.

#include "Control.h"
#include "IndexedEvents.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

namespace vb {

class KeyFilter;

struct TextEvents {
    std::function<void(int)> onChange;
    std::function<void(int, int&)> onKeyPress;
    std::function<void(int)> onClick;
    std::function<void(int)> onGotFocus;
};

// What text boxes and combo boxes share: the key filter, the user's typing and pasting,
// and the Change, KeyPress and GotFocus events.
class EditControl : public Control {
    Q_OBJECT
public:
    // The user typing: each character passes KeyPress; 8 is Backspace, 13 Enter.
    void type(const QString& keys);
    void typeKey(int keyAscii);
    // The user pasting text at the cursor.
    void paste(const QString& text);

    std::function<void()> onChange;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void()> onGotFocus;

protected:
    EditControl(Container& container, QWidget* widget);
    // Runs everything the user does to the text of editor through KeyPress.
    void filterKeysOf(QWidget* editor);
    KeyFilter& keyFilter() const { return *m_filter; }
    void raiseChange();
    void clearHandlers() override;

private:
    KeyFilter* m_filter = nullptr;
};

class TextBox : public EditControl {
    Q_OBJECT
public:
    explicit TextBox(Container& container, bool multiLine = false);

    QString text() const;
    void setText(const QString& text);
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length); // 0 = no limit
    bool locked() const { return m_locked; }
    void setLocked(bool locked);
    bool multiLine() const { return m_multiLine; }
    void setAlignment(int alignment); // 0 left, 1 right, 2 centre
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    void setFontBold(bool bold);
    void setBorderStyle(int style);
    // For a read-only box that lists names: while the box does not have the focus, a line
    // longer than the box can show ends in "…" where it is cut, so that it never reads as
    // another name; the user clicks into the box to read or scroll the whole line. A
    // shortened line of a multi-line box has the whole line as its tool tip.
    void setShortened(bool on);
    // The text as the box shows it now (lines joined by "\n").
    QString shownText() const;

    using IndexedEvents = TextEvents;
    static auto indexedEvents()
    {
        return std::tuple{ForwardedEvent{&TextBox::onChange, &IndexedEvents::onChange},
                          ForwardedEvent{&TextBox::onKeyPress, &IndexedEvents::onKeyPress},
                          ForwardedEvent{&TextBox::onGotFocus, &IndexedEvents::onGotFocus}};
    }
    void copyDesignFrom(const Control& other) override;

private:
    void textChanged();
    bool m_multiLine;
    QString m_announced; // the text the last Change announced
    int m_maxLength = 0;
    bool m_locked = false;
};

// A combo box: an edit part and a list, never sorted. Style 0 lets the user type, style 2
// only pick. Picking an entry raises Click (not Change); typing raises Change. A text set
// by code is shown from its start.
class ComboBox : public EditControl {
    Q_OBJECT
public:
    enum Style { DropDownCombo = 0, DropDownList = 2 };
    explicit ComboBox(Container& container, Style style = DropDownCombo);
    ~ComboBox() override;

    QString text() const;
    void setText(const QString& text);
    void addItem(const QString& item, int index = -1);
    void removeItem(int index);
    void clear();
    QString list(int index) const;
    void setList(int index, const QString& item);
    int listCount() const;
    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    QStringList items() const;
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    void setFontBold(bool bold);
    // The entries on screen while the list is dropped down.
    void setMaxVisibleItems(int count);
    // Lets the user drag the box's selected text out as plain text.
    void setDragEnabled(bool on);

    // The user picking an entry from the list.
    void pick(int index);

    // The user has gone into the box (clicked or tabbed into it) or typed into it, and not
    // yet ended with Enter or Escape, nor left the box. What the program writes on its own
    // (a page's address) waits meanwhile.
    bool isUserEditing() const { return m_userEditing; }
    // The program acted on the typed text (Go): the box is the program's again.
    void endUserEdit() { m_userEditing = false; }

    std::function<void()> onClick;

    using IndexedEvents = TextEvents;
    static auto indexedEvents()
    {
        return std::tuple{ForwardedEvent{&ComboBox::onChange, &IndexedEvents::onChange},
                          ForwardedEvent{&ComboBox::onClick, &IndexedEvents::onClick},
                          ForwardedEvent{&ComboBox::onKeyPress, &IndexedEvents::onKeyPress},
                          ForwardedEvent{&ComboBox::onGotFocus, &IndexedEvents::onGotFocus}};
    }
    void copyDesignFrom(const Control& other) override;

protected:
    void clearHandlers() override;

private:
    friend class ComboWidget;
    void userPicked(int index);
    Style m_style;
    int m_listIndex = -1;
    bool m_userEditing = false;
};

} // namespace vb
