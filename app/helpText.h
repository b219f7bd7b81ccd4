// The help pages, written from the rule descriptor so that each game's page stays true to the
// rules the engine plays: context 0 is the contents page, 1..33 the games' rules pages.
#pragma once

#include <QString>
#include <QUrl>

namespace tess::helpText
{

constexpr int kContents = 0;
// The page on the solver's help: Hint, Can This Deal Be Won? and Winnable Deals Only.
constexpr int kSolverPage = 100;

// The whole HTML page of a context; 0 and any unknown context give the contents page.
QString page(int context);
QString contentsPage();
QString rulesPage(int gameId);
QString solverPage();

// The page's title: the game's name, the solver page's title, or the title of the contents page.
QString title(int context);

// Pages link to each other by these relative addresses.
QUrl topicUrl(int context);
// The context an address names; -1 when it names none of ours.
int contextOfUrl(const QUrl &url);

} // namespace tess::helpText
