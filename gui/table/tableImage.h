// A still picture of a dealt table, drawn offscreen: the command line's screenshots
// and previews use it.
#pragma once

#include <QImage>

namespace tess
{

class Engine;
class cData;

// The table (1032 x 747 logical pixels) with the background of the settings, every
// visible marker and every visible card in stacking order.
QImage renderTable(const Engine &e, const cData &data, qreal dpr = 1);

} // namespace tess
