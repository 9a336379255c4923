#pragma once
// A form with two browser controls, and a recorder of the events a control raises.

#include "vb/Form.h"
#include "vb/Runtime.h"
#include "web/WebBrowser.h"

#include "TestSupport.h"

#include <QString>
#include <QStringList>

namespace webtest {

class BrowserForm : public vb::Form {
public:
    explicit BrowserForm(vb::Runtime& rt) : vb::Form(rt, QStringLiteral("frmBrowsers"))
    {
        first.move(0, 0, 320, 240);
        second.move(0, 0, 320, 240);
    }

    vb::WebBrowser first{*this};
    vb::WebBrowser second{*this};
};

// Records the events of one control by name; NavigateComplete2 with the LocationURL it saw.
struct EventLog {
    QStringList events;
    QList<int> progress;
    bool cancelErrors = true;

    void attach(vb::WebBrowser& c)
    {
        c.onBeforeNavigate2 = [this] { events << QStringLiteral("BeforeNavigate2"); };
        c.onDownloadBegin = [this] { events << QStringLiteral("DownloadBegin"); };
        c.onProgressChange = [this](qint32 p, qint32 max) {
            progress << p;
            if (max != 100)
                events << QStringLiteral("ProgressChange with max %1").arg(max);
            else if (events.isEmpty() || events.last() != QStringLiteral("ProgressChange"))
                events << QStringLiteral("ProgressChange");
        };
        c.onNavigateComplete2 = [this, &c] { events << QStringLiteral("NavigateComplete2 ") + c.locationURL(); };
        c.onNavigateError = [this](bool& cancel) {
            events << QStringLiteral("NavigateError");
            cancel = cancelErrors;
        };
        c.onDownloadComplete = [this] { events << QStringLiteral("DownloadComplete"); };
        c.onSameDocumentNavigate = [this, &c](const QString& previous) {
            events << QStringLiteral("SameDocument ") + previous + QStringLiteral(" -> ") + c.locationURL();
        };
    }

    int count(const QString& prefix) const
    {
        int n = 0;
        for (const QString& e : events)
            n += e.startsWith(prefix) ? 1 : 0;
        return n;
    }
    void clear()
    {
        events.clear();
        progress.clear();
    }
};

} // namespace webtest
