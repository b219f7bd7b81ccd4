// The move log of the running game: undo, redo, replay and history all walk it.
#pragma once

#include <vector>

#include "model/numeric.h"

namespace tess
{

class Engine;

struct TransRecord {
    i16 PicID = 0;
    i16 SrcCell = 0;
    i16 SrcPile = 0;
    i16 SrcPos = 0;
    i16 DCell = 0;
    i16 DPile = 0;
    i16 DPos = 0;
    i16 mCards = 0;
    i32 tMod = 0;
    i32 Multi = 0;
};

class cTrans
{
  public:
    static constexpr int kGrowth = 100;
    static constexpr int kMaxEntries = 32700;

    explicit cTrans(Engine &engine);

    // False when the log cannot take that many more entries: the move must be refused.
    bool CanSave(int entries = 1) const { return TransID + entries <= kMaxEntries; }
    void SaveTrans(i16 picId, i16 dCell, i16 dPile, i16 dPos, i16 mCards, i32 tMod);
    // Groups may nest (a dealt row that completes a suit): the outermost one closes.
    void StartMulti();
    void EndMulti();
    bool Undo(i16 &speed);
    bool Redo(i16 &speed);
    void UndoAll(i16 &speed);
    void RedoAll(i16 &speed);
    bool UndoPossible() const { return TransID > 0; }
    bool RedoPossible() const { return TransID < TransLast; }
    i16 GetTransID() const { return TransID; }
    i16 GetTransLast() const { return TransLast; }
    i16 GetTransCapacity() const { return TransCapacity; }
    // Entry 1..TransLast.
    const TransRecord &Entry(int index) const;

  private:
    Engine &e_;
    std::vector<TransRecord> TransList;
    i16 TransID = 0;
    i16 TransLast = 0;
    i16 TransCapacity = kGrowth;
    i32 MultiOpen = 0;
    int multiDepth_ = 0;
};

// Place names of the history list.
const char *ConvertCell(int cell);

} // namespace tess
