// The test programs' own rule: a Qt warning fails the test that raised it, unless it is
// the noise of the headless platform and engine.

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <QtGlobal>

namespace {

TEST(QtMessages, WarningsThatTellOfAFaultFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(qWarning("Release of profile requested but WebEnginePage still not deleted. Expect troubles !"),
                            "still not deleted");
    EXPECT_NONFATAL_FAILURE(qWarning("QPainter::begin: Paint device returned engine == 0, type: 1"), "QPainter::begin");
    EXPECT_NONFATAL_FAILURE(qWarning("QPainter::setPen: Painter not active"), "QPainter::setPen");
    // The platform's own noise passes.
    qWarning("This plugin does not support propagateSizeHints()");
}

} // namespace
