#pragma once
// What a page asks the user with alert(), confirm(), prompt() and its "leave this page?"
// question: the dialog that asks it, and the rule that keeps a page from trapping the user
// with one dialog after another.

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QUrl;

namespace vb {

struct PageQuestion {
    enum class Kind { Alert, Confirm, Prompt, Leave };
    Kind kind = Kind::Alert;
    // Who asks: the page's host, or "" for a page on this computer.
    QString site;
    QString text;
    // What a prompt offers to start with.
    QString value;
};

struct PageAnswer {
    // OK, Yes or Leave; an alert's answer does not matter.
    bool accepted = false;
    // What the user gave a prompt.
    QString value;
    // The user took the offer to stop this page's dialogs.
    bool stopAsked = false;
};

// Who asks, as the dialog names it.
QString pageSite(const QUrl& origin);

// The answer given at once, without asking: an alert is dismissed, a confirm and a prompt
// cancelled, and a page the user leaves is left.
PageAnswer answerWithoutAsking(PageQuestion::Kind kind);

// One page's dialogs. From the second dialog a page raises within a few seconds of the
// last one, the dialog offers to stop this page's dialogs; once the user takes the offer,
// every later dialog is answered at once, until the user leaves the page.
class PageDialogRule {
public:
    static constexpr qint64 RepeatMs = 5000;

    bool stopped() const { return m_stopped; }
    // Whether a dialog that begins at nowMs (any steady clock) offers to stop the dialogs.
    bool offersStop(qint64 nowMs) const { return m_lastEndedMs >= 0 && nowMs - m_lastEndedMs <= RepeatMs; }
    void dialogEnded(qint64 nowMs, const PageAnswer& answer);
    // The page was left: its dialogs are asked again (a loop that follows still gets the offer).
    void pageLeft() { m_stopped = false; }

private:
    bool m_stopped = false;
    qint64 m_lastEndedMs = -1;
};

// The dialog: a plain desktop dialog that does not block the windows (the page's own
// window can still be closed, or the page left). It comes back with finished().
class PageDialog : public QDialog {
    Q_OBJECT
public:
    PageDialog(const PageQuestion& question, bool offerStop, QWidget* parent);

    PageAnswer answer() const;
    // The longest text of a page the dialog shows.
    static constexpr int MaxTextLength = 4000;

protected:
    void done(int result) override;

private:
    QLineEdit* m_value = nullptr;
    QCheckBox* m_stop = nullptr;
    bool m_stopAsked = false;
};

} // namespace vb
