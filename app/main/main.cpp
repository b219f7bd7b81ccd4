#include "app/gui/program.h"

int main(int argc, char **argv)
{
    tess::GuardedApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessaline"));
    QApplication::setApplicationName(QStringLiteral("Tessaline"));
    // Lets the desktop match our windows to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tessaline.Tessaline"));
    tess::Program program(std::make_unique<tess::cData>());
    program.StartApplication();
    return QApplication::exec();
}
