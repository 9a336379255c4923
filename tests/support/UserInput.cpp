#include "UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

namespace testsupport {

void showAtSize(QWidget* window, int width, int height)
{
    window->showNormal();
    window->setGeometry(0, 0, width, height);
}

bool activateWindowOf(QWidget* w)
{
    QWidget* window = w->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

namespace {

void clickThroughWindow(QWidget* w, Qt::MouseButton button)
{
    QWidget* top = w->window();
    const QPoint at = w->mapTo(top, w->rect().center());
    QTest::mouseClick(top->windowHandle(), button, Qt::NoModifier, at);
}

} // namespace

QWidget* clickInto(QWidget* w)
{
    clickThroughWindow(w, Qt::LeftButton);
    return QApplication::focusWidget();
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QString text;
    if (key == Qt::Key_Delete)
        text = QStringLiteral("\x7f");
    else if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        text = QChar(key - Qt::Key_A + 1);
    else if (const char ascii = QTest::keyToAscii(key))
        text = QChar::fromLatin1(ascii);
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

void typeText(const QString& text)
{
    if (QWidget* target = QApplication::focusWidget())
        QTest::keyClicks(target, text);
}

void composeText(const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(target, &e);
}

QMenu* openContextMenu(QWidget* w)
{
    clickThroughWindow(w, Qt::RightButton);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

bool clickMenuItem(QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions()) {
        QString shown = a->text().section(QLatin1Char('\t'), 0, 0);
        shown.remove(QLatin1Char('&'));
        if (shown == caption && a->isEnabled()) {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
            return true;
        }
    }
    return false;
}

void dropText(QWidget* w, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = w->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
}

QWidget* editorOf(QWidget* w)
{
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit())
        return cb->lineEdit();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        return pe->viewport();
    return w;
}

void tryEveryEdit()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    QWidget* editor = editorOf(focus);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    typeText(QStringLiteral("typed \"x\", 7"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete, Qt::Key_End})
        pressKey(key);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_K, Qt::Key_U, Qt::Key_W, Qt::Key_D, Qt::Key_H})
        pressKey(key, ctrl);
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete, ctrl);
    pressKey(Qt::Key_A, ctrl);
    pressKey(Qt::Key_X, ctrl);
    pressKey(Qt::Key_A, ctrl);
    pressKey(Qt::Key_Delete, Qt::ShiftModifier);
    pressKey(Qt::Key_V, ctrl);
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    pressKey(Qt::Key_Z, ctrl);
    pressKey(Qt::Key_Y, ctrl);
    pressKey(Qt::Key_Z, ctrl | Qt::ShiftModifier);
    pressKey(Qt::Key_Backspace, Qt::AltModifier);
    composeText(QStringLiteral("\u00e9"));
    dropText(editor, QStringLiteral("dropped"));
    for (const QString& item : {QStringLiteral("Cut"), QStringLiteral("Delete"), QStringLiteral("Paste"),
                                QStringLiteral("Undo"), QStringLiteral("Redo")}) {
        pressKey(Qt::Key_A, ctrl);
        if (QMenu* menu = openContextMenu(editor); menu && !clickMenuItem(menu, item))
            menu->close();
    }
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
}

} // namespace testsupport
