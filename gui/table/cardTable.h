// The table: its painted background and every card and marker control on it.
// It mirrors the engine's card state through the engine's screen interface.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <set>
#include <utility>

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include "gui/table/tavCard.h"
#include "model/cards.h"
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

    // Fit on: the table's layout is scaled uniformly to the largest size that fits this
    // widget, centred across and held to the top, and the widget may take any size. Off: the design size,
    // unscaled.
    void setFit(bool on);
    bool fit() const { return fit_; }
    // Logical pixels per design pixel, and where the table's top-left corner lies.
    double scale() const { return scale_; }
    QPoint origin() const { return origin_; }
    QSize cardSize() const { return cardSize_; }
    // Where a place on the table, in twips, lies in this widget.
    QPoint toWidget(double leftTwips, double topTwips) const;
    // The largest scale at which a box of the table (twips) fits an area of this size; by
    // default the whole design table.
    static double scaleFor(QSize area, QRectF box = QRectF(0, 0, kTableWidth, kTableHeight));
    // What fitting fills the window with: every pile of the game, with room below each fan
    // for a run of cards (twips). The whole design table while no game is chosen.
    QRectF pileBox() const;

    // Where the card at a place of a pile is drawn: the one mapping from the engine's
    // places to the screen, which drawing, dragging and hit tests all read.
    PlaceShift shownShift(int cell, int pile, int pos) const override;
    PlaceShift landingShift(int cell, int pile, int pos) const override;
    QRect placeRect(int cell, int pile, int pos) const;
    // The furthest a card's top-left corner may lie (twips) and stay whole on the table.
    QPointF farthestCorner() const { return limit_; }

    // Draws every picture afresh at the present size; a resize does it shortly after the
    // last step, showing the old pictures stretched meanwhile.
    void refreshPictures();
    bool picturesCurrent() const { return !tmrCrisp_.isActive(); }

    // A short line shown centred while no game runs; empty hides it.
    void setHint(const QString &text);
    const QString &hint() const { return hint_; }

    // Keyboard play. A pile of the table, as the engine counts them.
    struct PileRef {
        int cell = Home;
        int pile = 0;
        bool operator==(const PileRef &) const = default;
    };
    // The pile the keys act on. Its frame is drawn from the first key on the table until the next
    // mouse press: a player who only clicks never sees it.
    PileRef focusPile() const { return focus_; }
    bool focusShown() const { return keysUsed_; }
    QRect focusFrame() const;
    // The cards the keys have chosen or picked up, the grabbed one first; all are tinted.
    const QVector<int> &chosenCards() const { return chosen_; }
    bool holding() const { return held_ >= 0; }
    // A key pressed over the table or its window: true when it was one of the table's.
    bool handleKey(QKeyEvent *ev);
    // The cards the keys hold go back where they were, and a chosen run is forgotten.
    void putBack();
    // Sends the card to the first foundation that takes it, the way a drag there would; false when
    // none does or the card may not be picked up.
    bool sendHome(int picId);
    // With this on, a double click on a card that a foundation takes sends it there.
    void setDoubleClickHome(bool on) { dblClickHome_ = on; }
    bool doubleClickHome() const { return dblClickHome_; }
    // Brings the accessible names and descriptions of the piles that changed up to date. It runs by
    // itself once the events of a move are handled; tests may call it.
    void refreshNames();

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
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void mousePressEvent(QMouseEvent *ev) override;

  private:
    TavEmpty *marker(MarkerArray array, int index) const;
    TavEmpty *markerOf(PileRef p) const;
    QImage faceImage(int pic) const;
    qreal pictureRatio() const;
    void layOut();
    void paintBackground(qreal tileRatio);
    // Fans that would pass the table's edge drawn closer together; every card placed again.
    void arrangeFans();
    std::array<std::vector<std::vector<char>>, 5> pileFaces() const;
    // How each place of a pile with these faces (1 face down) is drawn off its layout place;
    // empty when the fan is drawn as laid out.
    std::vector<PlaceShift> fanShifts(int cell, int pile, const std::vector<char> &faces) const;
    void placeCard(int picId);
    QRect dirtyRect(const QRect &card) const;
    const QImage &shadow();
    QVector<int> carriedCards() const;

    // Keyboard play (tableKeys.cpp).
    std::vector<PileRef> keyRow(bool top) const;
    bool inGame(PileRef p) const;
    void moveFocus(int key);
    void setFocusPile(PileRef p);
    void chooseRun(int delta);
    void activate();
    void pickUp(int picId);
    void dropHeld();
    void carryTo(int picId, const QRect &target);
    QRect dropRect(PileRef p) const;
    QRect pileRect(PileRef p) const;
    int runStart(PileRef p, int count) const;
    void showChosen(const QVector<int> &ids);
    void updateFrame();
    // A mouse press ends keyboard play: held cards go back and the frame goes.
    void leaveKeyboard();
    PileRef focus_;
    bool keysUsed_ = false;
    int runLen_ = 1;   // cards the next pick-up takes from the focused tableau pile
    int held_ = -1;    // the grabbed card the keys hold
    PileRef heldFrom_; // and where it lay
    int heldPos_ = 0, heldCount_ = 0;
    QVector<int> chosen_;
    QRect frameShown_;
    bool dblClickHome_ = false;
    bool swallowPress_ = false; // the press a double click that sent a card home brings with it

    // Accessible names: piles whose cards changed, brought up to date once the move's events are handled.
    void nameChanged(int cell, int pile);
    void nameMarkers();
    std::set<std::pair<int, int>> unnamed_;
    bool namesQueued_ = false;

    Engine &e_;
    cData &data_;
    QImage bg_;
    QVector<int> facePics_;     // face picture each card control holds
    QVector<qreal> faceRatios_; // and the ratio it was drawn at
    QVector<QPointF> cardTwips_;
    std::map<const TavEmpty *, QPoint> markerTwips_;
    bool animated_ = true;
    bool fit_ = false;
    double scale_ = 1;
    QPoint origin_;
    QSize cardSize_;
    qreal shownRatio_ = 0; // ratio of the pictures and background now shown
    int bgInd_ = 1007, bgFade_ = 1;
    i32 bgColor_ = 128;
    QString hint_;
    QTimer tmrCrisp_;
    QRegion moved_; // where cards were and are since the last frame
    QPointF limit_{kTableWidth, kTableHeight};
    // Per cell and pile, the shift of each place of a fan drawn closer together.
    std::array<std::vector<std::vector<PlaceShift>>, 5> shifts_;
    int pressed_ = -1; // the card last pressed: with the engine's drag, what is carried
    QImage shadow_;
    QRectF box_;
};

} // namespace tess
