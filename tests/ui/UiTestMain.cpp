// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests need a QApplication; without a display they run on the offscreen platform.
#include "UiTestSupport.h"

#include <QElapsedTimer>

namespace sw::test {
void Serve(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace sw::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
