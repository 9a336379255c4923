#pragma once
// The help program's application object.

#include "vb/Runtime.h"

namespace corvanehelp {

class HelpApp {
public:
    explicit HelpApp(vb::Runtime::Mode mode = vb::Runtime::Mode::Program);
    // Starts the help program; returns the process's exit code.
    int run();

    vb::Runtime rt;
};

} // namespace corvanehelp
