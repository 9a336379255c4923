#pragma once
// The user's keyboard and mouse as the running program receives them: key events go to the
// widget that has the focus through QApplication::notify, with the texts an X11 keyboard
// gives them; clicks go through the window, so they land on whatever is under the pointer.

#include <Qt>

class QMenu;
class QString;
class QWidget;

namespace testsupport {

// Shows window in a normal state at width x height pixels: the layouts in tests are made
// for a larger screen than the offscreen platform's own.
void showAtSize(QWidget* window, int width, int height);

// Makes the window of w, already shown, the active window as the desktop does when the user
// clicks it; false when it does not become active.
bool activateWindowOf(QWidget* w);

// A left click at the centre of w, through its window: how the user gives a box the focus.
// Returns the widget that has the focus afterwards.
QWidget* clickInto(QWidget* w);

// One key pressed and released on the focus widget. Delete carries the text "\x7f" and a
// Ctrl+letter its control character, as on X11.
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Characters typed on the keyboard into the focus widget.
void typeText(const QString& text);

// Text an input method (a dead key, a compose sequence) commits into the focus widget.
void composeText(const QString& text);

// A right click at the centre of w, through its window; returns the context menu that
// opened, or nullptr.
QMenu* openContextMenu(QWidget* w);

// Clicks the item of an open menu whose caption, without "&" and shortcut, is caption;
// false when the menu has no such enabled item.
bool clickMenuItem(QMenu* menu, const QString& caption);

// Text dragged from another program and dropped at the centre of w.
void dropText(QWidget* w, const QString& text);

// Where the mouse and drops reach the editable part of the focus widget w: the line edit
// of a combo box, the viewport of a multi-line box, else w itself.
QWidget* editorOf(QWidget* w);

// Every way the keyboard and the mouse offer to change the text of the box that has the
// focus: typing, Enter, Backspace, Delete and the editing shortcuts (cut, paste, undo, redo,
// deleting words and lines), composed, pasted and dropped text, and the context menu's
// editing items. The clipboard is left holding "pasted".
void tryEveryEdit();

} // namespace testsupport
