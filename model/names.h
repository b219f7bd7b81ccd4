// Card and pile names as the player reads them: in hints, on the command line and to a screen reader.
#pragma once

#include <string>

#include "model/cards.h"

namespace tess
{

// "Seven of Hearts"
std::string cardTitle(const CardAttrs &card);
// "tableau pile 3", "foundation 1", "free cell 2", "stock", "waste": counted from 1 as the player counts.
std::string pileName(int cell, int pile);

} // namespace tess
