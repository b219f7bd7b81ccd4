#include "play/cTrans.h"

#include "play/engine.h"

namespace tess
{

cTrans::cTrans(Engine &engine) : e_(engine), TransList(static_cast<size_t>(kGrowth) + 1) {}

const TransRecord &cTrans::Entry(int index) const
{
    if (index < 1 || index > TransLast)
        throw IndexError("log entry out of range: " + std::to_string(index));
    return TransList[static_cast<size_t>(index)];
}

void cTrans::SaveTrans(i16 picId, i16 dCell, i16 dPile, i16 dPos, i16 mCards, i32 tMod)
{
    if (!CanSave())
        throw OverflowError("move log full");
    TransID = checked16(TransID + 1);
    TransLast = TransID;
    if (TransID > TransCapacity) {
        TransCapacity = checked16(TransCapacity + kGrowth);
        TransList.resize(static_cast<size_t>(TransCapacity) + 1);
    }
    const CardState &c = e_.card(picId);
    TransList[static_cast<size_t>(TransID)] =
        TransRecord{picId, c.Cell, c.Pile, c.Pos, dCell, dPile, dPos, mCards, tMod, MultiOpen};
}

void cTrans::StartMulti()
{
    ++multiDepth_;
    MultiOpen = 1;
}

void cTrans::EndMulti()
{
    if (multiDepth_ > 1) {
        --multiDepth_;
        return;
    }
    multiDepth_ = 0;
    TransList[static_cast<size_t>(TransID)].Multi = 0;
    MultiOpen = 0;
}

bool cTrans::Undo(i16 &speed)
{
    if (TransID < 1)
        return false;
    for (;;) {
        const TransRecord e = TransList[static_cast<size_t>(TransID)];
        if (e.Multi == 1)
            speed = 4;
        if (speed > 4)
            e_.view().playSound("Undo");
        if (e.tMod == tmod::Uncovered)
            e_.SetFaceMode(e_.Array.GetPicID(e.SrcCell, e.SrcPile, e.SrcPos - 1), kFaceDown);
        i32 mod = tmod::Replayed;
        e_.Array.MoveCard(e.PicID, e.SrcCell, e.SrcPile, e.SrcPos, mod, speed, e.mCards, 0);
        if (e.tMod == tmod::TurnedUp)
            e_.SetFaceMode(e.PicID, kFaceDown);
        else if (e.tMod == tmod::TurnedDown)
            e_.SetFaceMode(e.PicID, kFaceUp);
        --TransID;
        if (TransList[static_cast<size_t>(TransID)].Multi != 1)
            return true;
    }
}

bool cTrans::Redo(i16 &speed)
{
    if (TransID == TransLast)
        return false;
    for (;;) {
        if (TransList[static_cast<size_t>(TransID)].Multi == 1)
            speed = 4;
        ++TransID;
        const TransRecord e = TransList[static_cast<size_t>(TransID)];
        if (speed > 4)
            e_.view().playSound("Redo");
        i32 mod = tmod::Replayed;
        e_.Array.MoveCard(e.PicID, e.DCell, e.DPile, e.DPos, mod, speed, e.mCards, 0);
        if (e.tMod == tmod::Uncovered)
            e_.SetFaceMode(e_.Array.GetPicID(e.SrcCell, e.SrcPile, e.SrcPos - 1), kFaceUp);
        if (e.tMod == tmod::TurnedUp)
            e_.SetFaceMode(e.PicID, kFaceUp);
        else if (e.tMod == tmod::TurnedDown)
            e_.SetFaceMode(e.PicID, kFaceDown);
        if (e.Multi != 1)
            return true;
    }
}

void cTrans::UndoAll(i16 &speed)
{
    while (TransID >= 1)
        Undo(speed);
}

void cTrans::RedoAll(i16 &speed)
{
    while (TransID != TransLast)
        Redo(speed);
}

const char *ConvertCell(int cell)
{
    static const char *names[] = {"Tableau", "Stock", "Waste", "Foundation", "Reserve"};
    return (cell >= 0 && cell < 5) ? names[cell] : "";
}

} // namespace tess
