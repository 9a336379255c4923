#pragma once
// A walk over a window as a user meets it: every control on screen is hit-tested where a
// user would click it (its centre, or the centre of its caption) and must be the widget
// found there; every caption must fit its box in the font the control really uses; nothing
// the user needs may lie outside the window. Overlaps that a layout accepts are declared
// with their reason. The same probe can save a picture of the window for a person to look
// through (only when CORVANE_LAYOUT_SHOTS names a folder).

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace layoutprobe {

class Probe {
public:
    explicit Probe(QWidget* window) : m_window(window) {}

    // What covers a target and is accepted, with the reason (shown when a test lists them).
    using Rule = std::function<bool(const QWidget* target, const QWidget* over)>;
    void allow(Rule rule, const QString& reason);
    // Anything that cover (or a widget inside it) lies over is accepted.
    void allowUnder(const QWidget* cover, const QString& reason);
    // Targets the walk leaves out (pages, which panels float over by design).
    void skip(const QWidget* target);
    // Read-only one-line boxes whose text must be shown from its first character.
    void startShown(const QWidget* box);
    // Controls whose caption is the user's own text, of any length: it is shown from its
    // start and cut at the box's end, so its length is not measured.
    void userCaption(const QWidget* w);

    // The faults found, one line each; empty when the window is sound.
    QStringList walk() const;
    // How many targets the last walk checked (a walk that checked nothing proves nothing).
    int checkedCount() const { return m_checked; }

private:
    struct Allowance {
        Rule rule;
        QString reason;
    };
    QWidget* m_window;
    std::vector<Allowance> m_allowed;
    std::vector<const QWidget*> m_skipped;
    std::vector<const QWidget*> m_startShown;
    std::vector<const QWidget*> m_userCaptions;
    mutable int m_checked = 0;
};

// A short description of a widget for a failure message: its kind, its caption or tip, and
// where it lies in the window.
QString describe(const QWidget* w, const QWidget* window);

// Lets pending events run so that the window's geometry has settled.
void settle();

// Saves a picture of window as <folder>/<name>.png when CORVANE_LAYOUT_SHOTS names a folder.
void shot(QWidget* window, const QString& name);

} // namespace layoutprobe
