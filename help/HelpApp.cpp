#include "HelpApp.h"

namespace corvanehelp {

HelpApp::HelpApp(vb::Runtime::Mode mode) : rt(mode) {}

int HelpApp::run()
{
    // The help window and its topics are not part of this build yet.
    return 0;
}

} // namespace corvanehelp
