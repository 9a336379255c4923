#include "UserInput.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QWindow>

namespace testsupport {

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

} // namespace testsupport
