// PLACEHOLDER: the secondary window is being built.
#include "frmWeb.h"

#include "CorvaneApp.h"

namespace corvane {

frmWeb::frmWeb(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmWeb")), m_app(app)
{
    BrowserPop.add(0);
}

} // namespace corvane
