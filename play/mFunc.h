// The rule kernel of play: stateless questions about cards, slots and runs.
#pragma once

#include <string>

#include "model/numeric.h"

namespace tess
{

class Engine;

i16 CardCell(const Engine &e, int picId);
i16 CardPile(const Engine &e, int picId);
i16 CardPos(const Engine &e, int picId);
i16 CardLeft(const Engine &e, int picId);
i16 CardTop(const Engine &e, int picId);
i16 CardNum(const Engine &e, int picId);
i32 CardFaceMode(const Engine &e, int picId);
i16 CardSuit(const Engine &e, int picId);
i16 CardSuitpile(const Engine &e, int picId);
i32 CardColor(const Engine &e, int picId);

constexpr int kPointTest = 0;
constexpr int kOverlapTest = -1;
bool HitTest(const Engine &e, int picId, int cell, int pile, int pos, int mode);
bool FitsOrder(const Engine &e, int lower, int upper, i32 order, bool ak);
bool CanMoveRun(const Engine &e, int picId, int count);
i16 CountEmptyPiles(const Engine &e, int cell);
i16 MaxCarriedCards(const Engine &e);

// 1 .. 10^rangeIndex - 1, uniform, seeded from the clock at each call; 1 for a range below 1.
long long RandomGameNumber(int rangeIndex);
// "h:mm:ss"; past a day the hours keep counting (25:00:00).
std::string FormatGameTime(i32 seconds);

} // namespace tess
