// The headless game engine: the rule descriptor, the pile array, the move log and the
// state of every card control, owned together so that a test can build a fresh one.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/cGames.h"
#include "model/gameNumber.h"
#include "model/random.h"
#include "play/tableView.h"

namespace tess
{

class Engine;
class cTrans;

// Told after every change of the move log: an entry made, undone or redone, or a fresh log.
class LogListener
{
  public:
    virtual ~LogListener() = default;
    virtual void logChanged() = 0;
    // The engine is going away: forget it.
    virtual void engineGone() {}
};

// What a card control knows about its card.
struct CardState {
    i16 Suit = 0;
    i16 Num = 0;
    i16 Suitpile = 0;
    i32 Color = 1;
    i16 Cell = 0;
    i16 Pile = 0;
    i16 Pos = 0;
    i32 FaceMode = kFaceDown; // anything else is face up
    i16 Selected = 0;         // -1 highlighted
    int FacePic = 0;          // 1..52
    double Left = 0;          // twips
    double Top = 0;
    bool Visible = false;
    int Z = 0;           // stacking order: higher is in front
    bool Placed = false; // put somewhere since the last hide
};

struct MarkerState {
    bool Visible = false;
    int Kind = kMarkerPlain;
    i16 Left = 0;
    i16 Top = 0;
};

// The one drag under way (any mouse button).
struct DragState {
    bool Dragging = false;
    i16 DragCount = 0;
    i16 GrabX = 0;
    i16 GrabY = 0;
    i16 StartLeft = 0;
    i16 StartTop = 0;
};

// Move kinds of the log and of MoveCard.
namespace tmod
{
constexpr i32 Plain = 0;
constexpr i32 TurnedUp = 1;
constexpr i32 TurnedDown = 2;
constexpr i32 Uncovered = 3;
constexpr i32 Replayed = 4;
constexpr i32 Deal = 5;
} // namespace tmod

class cArray
{
  public:
    explicit cArray(Engine &engine) : e_(engine) {}

    void Init(long long gameNo);
    void RandomInit(long long gameNo);
    i16 GetRandom(int index) const;

    i16 GetTop(int cell, int pile) const;
    i16 GetPicID(int cell, int pile, int pos) const;
    i16 GetTopPicID(int cell, int pile) const;
    i16 TotalGoalCards() const;
    i16 ClosedCards(int pile) const;

    // Coordinates of a place (twips), with the tableau's face-down count as it is now.
    i16 CordX(int cell, int pile, int pos) const;
    i16 CordY(int cell, int pile, int pos) const;

    // Returns false when the move was refused before anything changed
    // (a full foundation, or a full move log).
    bool MoveCard(i16 picId, i16 dCell, i16 dPile, i16 dPos, i32 &tMod, i16 speed, i16 mCards, i32 dFace);
    bool AddtoWaste(i16 picId);

    int totalCards() const { return n_; }

  private:
    void MoveOneCard(i16 picId, i16 cell, i16 pile, i16 pos, i32 tMod, i16 speed, i32 dFace);
    size_t slot(int cell, int pile, int pos) const;
    size_t topSlot(int cell, int pile) const;

    Engine &e_;
    int n_ = 0;
    std::vector<i16> pileCards_;
    std::vector<i16> pileTop_;
    std::vector<i16> randomOrder_;
};

// A headless host: keeps its own running flag and autoplay setting, counts wins.
class HeadlessHost : public EngineHost
{
  public:
    bool running = false;
    i16 autoplay = 1;
    int wins = 0;
    bool gameRunning() const override { return running; }
    i16 autoplaySetting() const override { return autoplay; }
    void gameWon() override
    {
        ++wins;
        running = false;
    }
};

class Engine
{
  public:
    explicit Engine(EngineHost *host = nullptr, TableView *view = nullptr);
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    cGames Games;
    cArray Array{*this};
    std::unique_ptr<cTrans> Trans;
    RandomGen Rng;
    i16 GoalBase = 0;
    i16 RedealCount = 0;
    DragState Drag;

    EngineHost &host() { return *host_; }
    TableView &view() { return *view_; }
    const TableView &view() const { return *view_; }
    void setHost(EngineHost *host);
    void setView(TableView *view);

    // The card controls.
    std::array<CardState, kMaxCards> Cards{};
    CardState &card(int picId);
    const CardState &card(int picId) const;
    void SetValue(int picId, i16 suit, i16 num, i16 suitpile);
    void SetLoc(int picId, i16 cell, i16 pile, i16 pos);
    void SetFaceMode(int picId, i32 mode);
    void SetSelected(int picId, i16 selected);
    void SetFacePic(int picId, int pic);
    void Raise(int picId);
    void Show(int picId, bool visible);
    void MoveTo(int picId, double left, double top);

    // The pile markers.
    std::array<MarkerState, 18> HomeMarkers{};
    std::array<MarkerState, 8> GoalMarkers{};
    std::array<MarkerState, 10> ResMarkers{};
    MarkerState WasteMarker;
    MarkerState StockMarker;
    void PlaceGoalMarker(int index, int pile, int kind);
    void PlaceResMarker(int pile);
    void PlaceHomeMarker(int pile, int kind);
    void PlaceWasteMarker(int pile);
    void PlaceStockMarker(int number);
    void SetStockMarkerKind(int kind);
    void HideAll();

    // Chooses the game; false for a name outside the catalogue.
    bool SelectGame(const std::string &name);
    // A fresh, empty move log.
    void NewTrans();
    // Listeners outlive the log of one game, so they register here rather than on cTrans.
    void addLogListener(LogListener *l);
    void removeLogListener(LogListener *l);
    void logChanged();
    // The one set-up of a game, for play, the help pages and the tools alike: clear the table, choose
    // the game, shuffle from the number, deal. Throws std::invalid_argument for a name outside the
    // catalogue.
    void DealNewGame(const std::string &name, long long gameNo);
    // The deal and the first autoplay pass, as a game begins.
    void NewGame(const std::string &name, long long gameNo);

    // Checks that every placed card lies at exactly one place; throws std::logic_error.
    void checkInvariants() const;

  private:
    HeadlessHost ownHost_;
    TableView quietView_;
    EngineHost *host_;
    TableView *view_;
    int zCounter_ = 0;
    std::vector<LogListener *> logListeners_;
};

} // namespace tess
