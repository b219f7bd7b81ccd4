#include "gui/program.h"

int main(int argc, char **argv)
{
    // Under X11 each repaint through shared memory makes the next one wait for a round trip to the
    // server: three wake-ups for every tick of the game clock. Our repaints are small (a caption,
    // a moving card), so the plain transfer costs less than that. A value the user set is kept.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    tess::GuardedApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessaline"));
    QApplication::setApplicationName(QStringLiteral("Tessaline"));
    // Lets the desktop match our windows to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tessaline.Tessaline"));
    tess::Program program(std::make_unique<tess::cData>());
    program.StartApplication();
    return QApplication::exec();
}
