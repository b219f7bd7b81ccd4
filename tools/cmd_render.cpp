// Pictures from the command line: a dealt table, and a contact sheet of every card
// picture. Runs without a display.
#ifdef TESS_CLI_GUI

#include <iostream>
#include <memory>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "gui/table/pictures.h"
#include "gui/table/tableImage.h"
#include "model/catalogue.h"
#include "play/engine.h"
#include "store/appearance.h"
#include "store/cData.h"
#include "tools/commands.h"

namespace tess::cli
{

namespace
{

// Fonts and painting need a GUI application; offscreen unless the user chose a platform.
std::unique_ptr<QGuiApplication> startGui()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tessaline-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int savePng(const QImage &img, const std::string &file)
{
    if (file.empty() || !img.save(QString::fromStdString(file), "PNG")) {
        std::cerr << "tessaline-cli: cannot write \"" << file << "\"\n";
        return 2;
    }
    return 0;
}

} // namespace

int cmdRender(const Args &args)
{
    std::string game;
    long long number = 0;
    if (!parseGameArgs(args, 3, game, number))
        return 2;
    auto app = startGui();
    cData data;
    catalogue::Init(data);
    Engine e;
    e.NewGame(game, number);
    return savePng(renderTable(e, data), args[2]);
}

int cmdSheet(const Args &args)
{
    if (args.empty() || args.size() > 2) {
        std::cerr << "tessaline-cli: sheet takes <file.png> [scale 1 to 4]\n";
        return 2;
    }
    qreal dpr = 1;
    if (args.size() == 2) {
        if (args[1] != "1" && args[1] != "2" && args[1] != "3" && args[1] != "4") {
            std::cerr << "tessaline-cli: \"" << args[1] << "\" is not a scale from 1 to 4\n";
            return 2;
        }
        dpr = std::stoi(args[1]);
    }
    auto app = startGui();
    constexpr int kMargin = 12, kGap = 8, kW = 71, kH = 96, kSection = 16;
    const int width = 2 * kMargin + 13 * kW + 12 * kGap;
    const int height = 2 * kMargin + 8 * kH + 7 * kGap + 2 * kSection;
    QImage sheet(qRound(width * dpr), qRound(height * dpr), QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(dpr);
    // Flat table green, so the translucent markers show as they do in play.
    SetBG(kDefaultBGIndex, sheet, 0, 0);
    QPainter p(&sheet);
    auto place = [&](const QImage &pic, int col, int row, int extra) {
        p.drawImage(QPointF(kMargin + col * (kW + kGap), kMargin + row * (kH + kGap) + extra), pic);
    };
    for (int i = 0; i < 52; ++i)
        place(MainPic(i + 1, dpr), i % 13, i / 13, 0);
    const std::vector<i16> backs = deckIds();
    for (size_t i = 0; i < backs.size(); ++i)
        place(GetPic(backs[i], dpr), static_cast<int>(i % 8), 4 + static_cast<int>(i / 8), kSection);
    for (int k = 0; k < 18; ++k)
        place(RightPic(k, dpr), k % 9, 6 + k / 9, 2 * kSection);
    p.end();
    return savePng(sheet, args[0]);
}

} // namespace tess::cli

#endif
