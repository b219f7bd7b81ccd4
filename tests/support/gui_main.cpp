// Window tests need one QApplication for the whole run, made before any widget.
#include <gtest/gtest.h>

#include "gui/program.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    testing::InitGoogleTest(&argc, argv);
    tess::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
