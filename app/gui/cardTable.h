// The table: its painted background and every card and marker control on it.
// It mirrors the engine's card state through the engine's screen interface.
#pragma once

#include <functional>

#include <QImage>
#include <QVector>
#include <QWidget>

#include "app/gui/tavCard.h"
#include "play/engine.h"

namespace tess
{

class cData;

class CardTable : public QWidget, public TableView
{
    Q_OBJECT
  public:
    CardTable(Engine &engine, cData &data, QWidget *parent = nullptr);

    // Creates the 104 cards and the markers and gives the cards the current back.
    void CreateCardControls();
    void SetDeckBacks();
    // Paints the background into the table's persistent strip, repeated across when shown.
    void SetBG(int ind, int fade, i32 customColor);
    const QImage &backgroundStrip() const { return bg_; }

    QVector<TavCard *> PicCards;
    QVector<TavEmpty *> PicHome, PicRight, PicRes, PicWaste;
    TavEmpty *PicStock = nullptr;

    // Animation on screen; tests turn it off to run at full speed.
    void setAnimated(bool on) { animated_ = on; }
    // Milliseconds each animation step stays on screen.
    int stepMillis = 10;

    // TableView
    void cardMoved(int picId, double left, double top) override;
    void cardRaised(int picId) override;
    void cardShown(int picId, bool visible) override;
    void cardFaceChanged(int picId) override;
    void markerPlaced(MarkerArray array, int index, int kind, i16 left, i16 top) override;
    void markerKindChanged(MarkerArray array, int index, int kind) override;
    void allHidden() override;
    void repaint() override;
    void animationStep() override;
    void processEvents() override;
    bool animates() const override;
    void playSound(const std::string &name) override;

  signals:
    void stockMarkerClicked();
    void cardPressed(int index, double x, double y);
    void cardDragged(int index, double x, double y);
    void cardReleased(int index, double x, double y);

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    TavEmpty *marker(MarkerArray array, int index) const;
    QImage faceImage(int pic) const;

    Engine &e_;
    cData &data_;
    QImage bg_;
    QVector<int> facePics_; // face picture each card control holds
    bool animated_ = true;
};

} // namespace tess
