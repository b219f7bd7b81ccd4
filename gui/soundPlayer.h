// Plays the program's WAVE resources for cData::PlaySound.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "store/cData.h"

class QSoundEffect;

namespace tess
{

class SoundPlayer : public QObject, public SoundSink
{
    Q_OBJECT
  public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    // Starts the resource ":/sounds/<resource>.wav" and returns at once; a sound still playing
    // is cut off. Without an audio output, or for a name that is not shipped, nothing is heard.
    void play(const QString &resource) override;

    // What was asked for, heard or not: lets the rules be checked on a machine without a device.
    QString lastRequested() const { return last_; }
    int requestCount() const { return count_; }

    // True when the last request found an audio output to play on.
    bool hadOutput() const { return hadOutput_; }

    static QString resourcePath(const QString &resource);

  private:
    QSoundEffect *effectFor(const QString &resource);

    QHash<QString, QSoundEffect *> effects_; // owned through QObject parenting
    QSoundEffect *current_ = nullptr;
    QString last_;
    int count_ = 0;
    bool hadOutput_ = false;
};

} // namespace tess
