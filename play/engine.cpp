#include "play/engine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/catalogue.h"
#include "play/cTrans.h"
#include "play/deal.h"
#include "play/mFunc.h"
#include "play/mPlay.h"

namespace tess
{

// ---- pile array -------------------------------------------------------------

size_t cArray::slot(int cell, int pile, int pos) const
{
    if (cell < 0 || cell >= kCellKinds || pile < 0 || pile >= kMaxPiles || pos < 0 || pos > n_)
        throw IndexError("pile place out of range: (" + std::to_string(cell) + ", " + std::to_string(pile) +
                         ", " + std::to_string(pos) + ")");
    return (static_cast<size_t>(cell) * kMaxPiles + static_cast<size_t>(pile)) * static_cast<size_t>(n_ + 1) +
           static_cast<size_t>(pos);
}

size_t cArray::topSlot(int cell, int pile) const
{
    if (cell < 0 || cell >= kCellKinds || pile < 0 || pile >= kMaxPiles)
        throw IndexError("pile out of range: (" + std::to_string(cell) + ", " + std::to_string(pile) + ")");
    return static_cast<size_t>(cell) * kMaxPiles + static_cast<size_t>(pile);
}

void cArray::Init(long long gameNo)
{
    n_ = e_.Games.TotalCards();
    if (n_ < 1 || n_ > kMaxCards)
        throw IndexError("card count out of range: " + std::to_string(n_));
    pileCards_.assign(static_cast<size_t>(kCellKinds * kMaxPiles * (n_ + 1)), -1);
    pileTop_.assign(static_cast<size_t>(kCellKinds * kMaxPiles), -1);
    randomOrder_.assign(static_cast<size_t>(n_ + 1), 0);
    RandomInit(gameNo);
}

void cArray::RandomInit(long long gameNo)
{
    // The order of these steps fixes every deal ever numbered; it never changes.
    const int n = n_;
    std::vector<i16> t(static_cast<size_t>(n + 1), 0);
    for (int i = 0; i < n; ++i)
        t[static_cast<size_t>(i)] = static_cast<i16>(i);
    e_.Rng.NextRandom(-10.0f);
    const double v = static_cast<double>(gameNo);
    for (int j = 0; j < n; ++j) {
        e_.Rng.SeedFromNumber(v);
        const double r = e_.Rng.NextRandom();
        const int m = n - j - 1;
        const auto a = static_cast<size_t>(roundHalfEven(r * m));
        randomOrder_[static_cast<size_t>(j)] = t[a];
        t[a] = t[static_cast<size_t>(m)];
    }
}

i16 cArray::GetRandom(int index) const
{
    if (index < 0 || index > n_)
        throw IndexError("random order index out of range: " + std::to_string(index));
    return randomOrder_[static_cast<size_t>(index)];
}

i16 cArray::GetTop(int cell, int pile) const
{
    return pileTop_[topSlot(cell, pile)];
}

i16 cArray::GetPicID(int cell, int pile, int pos) const
{
    return pileCards_[slot(cell, pile, pos)];
}

i16 cArray::GetTopPicID(int cell, int pile) const
{
    return GetPicID(cell, pile, GetTop(cell, pile));
}

i16 cArray::TotalGoalCards() const
{
    int total = 0;
    for (int p = 0; p < 8; ++p)
        total += GetTop(Goal, p) + 1;
    return checked16(total);
}

i16 cArray::ClosedCards(int pile) const
{
    int closed = 0;
    const int top = GetTop(Home, pile);
    for (int pos = 0; pos <= top; ++pos) {
        const i16 id = GetPicID(Home, pile, pos);
        if (id >= 0 && e_.card(id).FaceMode == kFaceDown)
            ++closed;
    }
    return static_cast<i16>(closed);
}

i16 cArray::CordX(int cell, int pile, int pos) const
{
    return e_.Games.GetCordX(cell, pile, pos, ClosedCards(pile));
}

i16 cArray::CordY(int cell, int pile, int pos) const
{
    return e_.Games.GetCordY(cell, pile, pos, ClosedCards(pile));
}

bool cArray::MoveCard(i16 picId, i16 dCell, i16 dPile, i16 dPos, i32 &tMod, i16 speed, i16 mCards, i32 dFace)
{
    const CardState &c = e_.card(picId);
    const i16 srcCell = c.Cell, srcPile = c.Pile, srcPos = c.Pos;

    if (dCell == Goal && FoundationRefuses(isSpiderTag(e_.Games.Tag()), GetTop(Goal, dPile) + 1))
        return false;
    const bool logged = tMod != tmod::Replayed && tMod != tmod::Deal;
    // A full log refuses the move before anything changes.
    if (logged && !e_.Trans->CanSave())
        return false;
    // Check the whole destination run fits before touching anything.
    slot(dCell, dPile, dPos + mCards);

    if (tMod != tmod::Replayed && srcCell == Home && srcPos > 0) {
        const i16 below = GetPicID(Home, srcPile, srcPos - 1);
        if (e_.card(below).FaceMode == kFaceDown) {
            e_.SetFaceMode(below, kFaceUp);
            tMod = tmod::Uncovered;
        }
    }
    if (logged)
        e_.Trans->SaveTrans(picId, dCell, dPile, dPos, mCards, tMod);

    MoveOneCard(picId, dCell, dPile, dPos, tMod, speed, dFace);
    for (int i = 1; i <= mCards; ++i) {
        const i16 id = GetPicID(srcCell, srcPile, srcPos + i);
        MoveOneCard(id, dCell, dPile, checked16(dPos + i), tMod, 0, dFace);
    }
    pileTop_[topSlot(srcCell, srcPile)] = checked16(srcPos - 1);
    pileTop_[topSlot(dCell, dPile)] = checked16(dPos + mCards);

#ifdef TESS_CHECK_INVARIANTS
    e_.checkInvariants();
#endif
    if (tMod != tmod::TurnedDown && tMod != tmod::Replayed && tMod != tmod::Deal)
        RunAutoplay(e_);
    if (e_.host().gameRunning())
        CheckForWin(e_);
    return true;
}

void cArray::MoveOneCard(i16 picId, i16 cell, i16 pile, i16 pos, i32 tMod, i16 speed, i32 dFace)
{
    const double x = CordX(cell, pile, pos);
    const double y = CordY(cell, pile, pos);
    e_.Raise(picId);
    e_.Show(picId, true);
    CardState &c = e_.card(picId);
    if (speed >= 1 && e_.view().animates()) {
        // From where the card is drawn to where it will be drawn: the screen may draw a fan
        // closer together than laid out. Until it lands the card is drawn off its old place.
        const PlaceShift from = e_.view().shownShift(c.Cell, c.Pile, c.Pos);
        const PlaceShift to = e_.view().landingShift(cell, pile, pos);
        const double l = c.Left + from.x, t = c.Top + from.y;
        const double dx = std::abs(x + to.x - l), dy = std::abs(y + to.y - t);
        const double sx = l < x + to.x ? 1 : -1, sy = t < y + to.y ? 1 : -1;
        for (int i = 1; i <= speed; ++i) {
            e_.MoveTo(picId, l + sx * dx * i / speed - from.x, t + sy * dy * i / speed - from.y);
            e_.view().animationStep();
        }
    }
    e_.MoveTo(picId, x, y);
    e_.view().repaint();
    e_.SetFaceMode(picId, dFace != 0 ? kFaceDown : kFaceUp);
    if (tMod != tmod::Deal)
        pileCards_[slot(c.Cell, c.Pile, c.Pos)] = -1;
    e_.SetLoc(picId, cell, pile, pos);
    c.Placed = true;
    pileCards_[slot(cell, pile, pos)] = picId;
    if (tMod == tmod::Deal)
        e_.view().processEvents();
}

bool cArray::AddtoWaste(i16 picId)
{
    i32 mod = tmod::TurnedUp;
    return MoveCard(picId, Waste, 0, checked16(GetTop(Waste, 0) + 1), mod, 3, 0, kFaceUp);
}

// ---- engine -------------------------------------------------------------------

Engine::Engine(EngineHost *host, TableView *view)
    : host_(host ? host : &ownHost_), view_(view ? view : &quietView_)
{
    Trans = std::make_unique<cTrans>(*this);
}

Engine::~Engine()
{
    const std::vector<LogListener *> left = logListeners_;
    for (LogListener *l : left)
        l->engineGone();
}

void Engine::setHost(EngineHost *host)
{
    host_ = host ? host : &ownHost_;
}

void Engine::setView(TableView *view)
{
    view_ = view ? view : &quietView_;
}

CardState &Engine::card(int picId)
{
    if (picId < 0 || picId >= kMaxCards)
        throw IndexError("card out of range: " + std::to_string(picId));
    return Cards[static_cast<size_t>(picId)];
}

const CardState &Engine::card(int picId) const
{
    if (picId < 0 || picId >= kMaxCards)
        throw IndexError("card out of range: " + std::to_string(picId));
    return Cards[static_cast<size_t>(picId)];
}

void Engine::SetValue(int picId, i16 suit, i16 num, i16 suitpile)
{
    CardState &c = card(picId);
    c.Suit = suit;
    c.Num = num;
    c.Suitpile = suitpile;
    c.Color = colorOfSuit(suit);
    view_->cardFaceChanged(picId);
}

void Engine::SetLoc(int picId, i16 cell, i16 pile, i16 pos)
{
    CardState &c = card(picId);
    c.Cell = cell;
    c.Pile = pile;
    c.Pos = pos;
    // The screen's control keeps its own copy of the place.
    view_->cardMoved(picId, c.Left, c.Top);
}

void Engine::SetFaceMode(int picId, i32 mode)
{
    CardState &c = card(picId);
    if (c.FaceMode == mode)
        return;
    c.FaceMode = mode;
    view_->cardFaceChanged(picId);
}

void Engine::SetSelected(int picId, i16 selected)
{
    CardState &c = card(picId);
    if (c.Selected == selected)
        return;
    c.Selected = selected;
    view_->cardFaceChanged(picId);
}

void Engine::SetFacePic(int picId, int pic)
{
    card(picId).FacePic = pic;
    view_->cardFaceChanged(picId);
}

void Engine::Raise(int picId)
{
    card(picId).Z = ++zCounter_;
    view_->cardRaised(picId);
}

void Engine::Show(int picId, bool visible)
{
    CardState &c = card(picId);
    if (c.Visible == visible)
        return;
    c.Visible = visible;
    view_->cardShown(picId, visible);
}

void Engine::MoveTo(int picId, double left, double top)
{
    CardState &c = card(picId);
    c.Left = left;
    c.Top = top;
    view_->cardMoved(picId, left, top);
}

static void place(TableView &view, MarkerArray array, int index, MarkerState &m, int kind, i16 x, i16 y)
{
    m.Kind = kind;
    m.Left = x;
    m.Top = y;
    m.Visible = true;
    view.markerPlaced(array, index, kind, x, y);
}

void Engine::PlaceGoalMarker(int index, int pile, int kind)
{
    place(*view_, MarkerArray::Goal, index, GoalMarkers.at(static_cast<size_t>(index)), kind,
          Array.CordX(Goal, pile, 0), Array.CordY(Goal, pile, 0));
}

void Engine::PlaceResMarker(int pile)
{
    place(*view_, MarkerArray::Res, pile, ResMarkers.at(static_cast<size_t>(pile)), kMarkerPlain,
          Array.CordX(Res, pile, 0), Array.CordY(Res, pile, 0));
}

void Engine::PlaceHomeMarker(int pile, int kind)
{
    place(*view_, MarkerArray::Home, pile, HomeMarkers.at(static_cast<size_t>(pile)), kind,
          Array.CordX(Home, pile, 0), Array.CordY(Home, pile, 0));
}

void Engine::PlaceWasteMarker(int pile)
{
    if (pile != 0)
        throw IndexError("waste marker out of range: " + std::to_string(pile));
    place(*view_, MarkerArray::Waste, 0, WasteMarker, kMarkerPlain, Array.CordX(Waste, pile, 0),
          Array.CordY(Waste, pile, 0));
}

void Engine::PlaceStockMarker(int number)
{
    place(*view_, MarkerArray::Stock, 0, StockMarker, number + kMarkerPlain, Array.CordX(Stock, 0, 0),
          Array.CordY(Stock, 0, 0));
}

void Engine::SetStockMarkerKind(int kind)
{
    if (StockMarker.Kind == kind)
        return;
    StockMarker.Kind = kind;
    view_->markerKindChanged(MarkerArray::Stock, 0, kind);
}

void Engine::HideAll()
{
    for (int i = 0; i < kMaxCards; ++i) {
        CardState &c = Cards[static_cast<size_t>(i)];
        c.Visible = false;
        c.Placed = false;
        SetLoc(i, 0, 0, 0);
        c.Suit = c.Num = c.Suitpile = 0;
        c.Color = 1;
    }
    for (auto &m : HomeMarkers)
        m.Visible = false;
    for (auto &m : GoalMarkers)
        m.Visible = false;
    for (auto &m : ResMarkers)
        m.Visible = false;
    WasteMarker.Visible = false;
    StockMarker.Visible = false;
    Drag = DragState{};
    view_->allHidden();
}

bool Engine::SelectGame(const std::string &name)
{
    return catalogue::SelectGame(Games, GoalBase, name);
}

void Engine::NewTrans()
{
    Trans = std::make_unique<cTrans>(*this);
    logChanged();
}

void Engine::addLogListener(LogListener *l)
{
    if (std::find(logListeners_.begin(), logListeners_.end(), l) == logListeners_.end())
        logListeners_.push_back(l);
}

void Engine::removeLogListener(LogListener *l)
{
    logListeners_.erase(std::remove(logListeners_.begin(), logListeners_.end(), l), logListeners_.end());
}

void Engine::logChanged()
{
    // A listener may unregister while it is told.
    const std::vector<LogListener *> now = logListeners_;
    for (LogListener *l : now)
        if (std::find(logListeners_.begin(), logListeners_.end(), l) != logListeners_.end())
            l->logChanged();
}

void Engine::DealNewGame(const std::string &name, long long gameNo)
{
    if (!SelectGame(name))
        throw std::invalid_argument("unknown game: " + name);
    // The deal relies on every card reporting (Home, 0, 0), as after the end of a game.
    HideAll();
    Array.Init(gameNo);
    // The shuffle has just reset the program-wide generator from the number: seeded from the clock
    // only now, whatever draws from it next does not follow from the deal.
    Rng.SeedFromClock();
    AssignCardValues(*this);
    NewTrans();
    RedealCount = 0;
    DealGame(*this);
}

void Engine::NewGame(const std::string &name, long long gameNo)
{
    DealNewGame(name, gameNo);
    RunAutoplay(*this);
}

void Engine::checkInvariants() const
{
    const int n = Array.totalCards();
    std::vector<int> seen(static_cast<size_t>(n), 0);
    auto fail = [](const std::string &what) { throw std::logic_error("engine invariant broken: " + what); };
    for (int cell = 0; cell < kCellKinds; ++cell) {
        for (int pile = 0; pile < kMaxPiles; ++pile) {
            const int top = Array.GetTop(cell, pile);
            if (top < -1 || top > n)
                fail("pile top out of range");
            bool faceUpSeen = false;
            for (int pos = 0; pos <= top; ++pos) {
                const int id = Array.GetPicID(cell, pile, pos);
                if (id < 0 || id >= n)
                    fail("empty place below a pile top at (" + std::to_string(cell) + "," +
                         std::to_string(pile) + "," + std::to_string(pos) + ")");
                const CardState &c = Cards[static_cast<size_t>(id)];
                if (c.Cell != cell || c.Pile != pile || c.Pos != pos)
                    fail("card " + std::to_string(id) + " does not know its place");
                if (++seen[static_cast<size_t>(id)] > 1)
                    fail("card " + std::to_string(id) + " lies in two places");
                if (cell == Home) {
                    if (c.FaceMode != kFaceDown)
                        faceUpSeen = true;
                    else if (faceUpSeen)
                        fail("face-down card above a face-up one in tableau pile " + std::to_string(pile));
                }
            }
        }
    }
    for (int id = 0; id < n; ++id)
        if (Cards[static_cast<size_t>(id)].Placed && seen[static_cast<size_t>(id)] != 1)
            fail("placed card " + std::to_string(id) + " lies nowhere");
}

} // namespace tess
