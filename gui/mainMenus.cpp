// The main window's menus and toolbar: their items, shortcuts and object names.
#include <QMenuBar>

#include "gui/frmMain.h"
#include "gui/statusCaptions.h"
#include "gui/table/brand.h"

namespace tess
{

QAction *frmMain::addItem(QMenu *menu, QVector<QAction *> &arr, const QString &arrName,
                          const QString &caption, const QKeySequence &key, std::function<void(int)> handler)
{
    const int index = arr.size();
    QAction *a = nullptr;
    if (caption == QLatin1String("-")) {
        a = menu->addSeparator();
    } else {
        a = menu->addAction(caption);
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, [handler, index] { handler(index); });
    }
    a->setObjectName(QStringLiteral("%1_%2").arg(arrName).arg(index));
    arr.append(a);
    return a;
}

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    struct Item {
        const char *caption;
        QKeySequence key;
    };
    auto build = [&](const char *title, const char *menuName, QVector<QAction *> &arr, const char *arrName,
                     std::initializer_list<Item> items, std::function<void(int)> handler) {
        QMenu *m = bar->addMenu(QString::fromUtf8(title));
        m->setObjectName(QString::fromUtf8(menuName));
        arr.append(nullptr); // items count from 1
        for (const Item &it : items)
            addItem(m, arr, QString::fromUtf8(arrName), QString::fromUtf8(it.caption), it.key, handler);
        return m;
    };
    using K = QKeySequence;
    QMenu *file = build("&File", "mnuFile", mFile, "mFile",
                        {{"&New Game", K(Qt::Key_F2)},
                         {"&Select Game", K(Qt::Key_F3)},
                         {"-", {}},
                         {"&Restart Game", K(Qt::CTRL | Qt::Key_F2)},
                         {"&Close Game", K(Qt::Key_F12)},
                         {"-", {}},
                         {"Select a Number", K(Qt::CTRL | Qt::Key_F12)},
                         {"-", {}},
                         {"Recent Games", {}},
                         {"-", {}},
                         {"E&xit", {}}},
                        [this](int i) { onFile(i); });
    // "Recent Games" opens a sub-menu of five entries.
    QMenu *recent = new QMenu(file);
    recent->setObjectName(QStringLiteral("mnuRecent"));
    mFile[9]->setMenu(recent);
    mRecent.append(nullptr);
    for (int i = 1; i <= kRecentCount; ++i) {
        QAction *a = recent->addAction(QString());
        a->setObjectName(QStringLiteral("mRecent_%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { onRecent(i); });
        a->setVisible(i == 1);
        mRecent.append(a);
    }
    QMenu *game = build("&Game", "mnuGame", mGame, "mGame",
                        {{"&Undo", K(Qt::CTRL | Qt::Key_Z)},
                         {"&Redo", K(Qt::CTRL | Qt::Key_X)},
                         {"-", {}},
                         {"Autoplay", K(Qt::Key_F7)},
                         {"-", {}},
                         {"U&ndo All", K(Qt::CTRL | Qt::Key_C)},
                         {"R&edo All", K(Qt::CTRL | Qt::Key_V)},
                         {"-", {}},
                         {"View Toolbar", {}},
                         {"Fit Table to Window", {}},
                         {"Double-Click Sends Home", {}}},
                        [this](int i) { onGame(i); });
    mGame[4]->setCheckable(true);
    mGame[9]->setCheckable(true);
    mGame[10]->setCheckable(true);
    mGame[11]->setCheckable(true);
    build("&Replay", "mnuReplay", mReplay, "mReplay",
          {{"&Forward", K(Qt::SHIFT | Qt::Key_F1)},
           {"&Back", K(Qt::SHIFT | Qt::Key_F2)},
           {"-", {}},
           {"Replay &All", {}},
           {"-", {}},
           {"Sto&p", {}}},
          [this](int i) { onReplay(i); });
    mReplay[6]->setEnabled(false);
    build("Favorites", "mnufav", mFav, "mFav",
          {{"&Add to Favorites", K(Qt::CTRL | Qt::Key_A)},
           {"&Organize Favorites", K(Qt::CTRL | Qt::Key_F)},
           {"-", {}},
           {"&Play from Favorites", K(Qt::CTRL | Qt::Key_P)}},
          [this](int i) { onFav(i); });
    build("Statistics", "mnustat", mStat, "mStat",
          {{"&Game Statistics", K(Qt::Key_F4)},
           {"&Session Statistics", {}},
           {"-", {}},
           {"&High Scores", K(Qt::Key_F9)},
           {"-", {}},
           {"&Log Statistics", {}}},
          [this](int i) { onStat(i); });
    build("&Tools", "mnuTools", mTools, "mTools",
          {{"Customize", K(Qt::CTRL | Qt::Key_U)},
           {"-", {}},
           {"&Players", K(Qt::CTRL | Qt::Key_L)},
           {"-", {}},
           {"&History", K(Qt::CTRL | Qt::Key_H)}},
          [this](int i) { onTools(i); });
    build("&Help", "mnuHelp", mHelp, "mHelp",
          {{"Rules", K(Qt::Key_F1)}, {"Contents", {}}, {"-", {}}, {"About...", {}}},
          [this](int i) { onHelp(i); });

    // The status captions sit at the right end of the menu bar, the solver's line first.
    const StatusCaptions captions = addStatusCaptions(bar);
    mHint = captions.hint;
    mScore = captions.score;
    mTime = captions.time;
    mMoves = captions.moves;
    buildSolverItems(game);
}

void frmMain::buildToolbar()
{
    struct Button {
        const char *key;
        const char *tip;
    };
    static const Button buttons[] = {
        {"New", "New Game"},
        {"Select", "Select Game"},
        {"Restart", "Restart Game"},
        {nullptr, nullptr},
        {"Autoplay", "Autoplay"},
        {nullptr, nullptr},
        {"Undo", "Undo"},
        {"Redo", "Redo"},
        {nullptr, nullptr},
        {"Back", "Replay Back"},
        {"ReplayStop", "Replay Stop"},
        {"Forward", "Replay Forward"},
        {nullptr, nullptr},
        {"Statistics", "Statistics"},
        {nullptr, nullptr},
        {"Help", "Help"},
    };
    toolButtons.append(nullptr);
    int index = 1;
    for (const Button &b : buttons) {
        QAction *a;
        if (!b.key) {
            a = Toolbar1->addSeparator();
            a->setObjectName(QStringLiteral("Toolbar1_sep_%1").arg(index));
        } else {
            a = Toolbar1->addAction(brand::toolIcon(QString::fromUtf8(b.key)), QString());
            a->setObjectName(QString::fromUtf8(b.key));
            a->setToolTip(QString::fromUtf8(b.tip));
            const int i = index;
            connect(a, &QAction::triggered, this, [this, i] { onToolbar(i); });
        }
        toolButtons.append(a);
        ++index;
    }
    toolButtons[5]->setCheckable(true);
}

} // namespace tess
