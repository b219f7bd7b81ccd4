// Turning a shuffled game into its opening layout.
#pragma once

namespace tess
{

class Engine;

void AssignCardValues(Engine &e);
// Foundations, markers, stock, waste, reserve, the start sound, tableau: in that order,
// because every fresh card must be placed before any tableau card.
void DealGame(Engine &e);

void DealGoal(Engine &e);
void DealMarkers(Engine &e);
void DealStock(Engine &e);
void DealWaste(Engine &e);
void DealRes(Engine &e);
void DealHome(Engine &e);

} // namespace tess
