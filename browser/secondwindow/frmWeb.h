#pragma once
// A secondary browser window: its own page browser and up to 24 tabs, its bars and panels.

#include "vb/ControlArray.h"
#include "vb/Form.h"
#include "web/WebBrowser.h"

namespace corvane {

class CorvaneApp;

class frmWeb : public vb::Form {
    Q_OBJECT
public:
    explicit frmWeb(CorvaneApp& app);

    // 0: the window's own page; 1..24: its tabs.
    vb::ControlArray<vb::WebBrowser> BrowserPop{*this};

private:
    CorvaneApp& m_app;
};

} // namespace corvane
