// PLACEHOLDER: the options dialog is being built.
#include "frmOptions.h"

#include "CorvaneApp.h"

namespace corvane {

frmOptions::frmOptions(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmOptions")), m_app(app) {}

} // namespace corvane
