#include "gui/soundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace tess
{

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    if (current_)
        current_->stop();
}

QString SoundPlayer::resourcePath(const QString &resource)
{
    return QStringLiteral(":/sounds/") + resource.toUpper() + QStringLiteral(".wav");
}

QSoundEffect *SoundPlayer::effectFor(const QString &resource)
{
    const QString key = resource.toUpper();
    auto it = effects_.constFind(key);
    if (it != effects_.constEnd())
        return it.value();
    if (!QFile::exists(resourcePath(key)))
        return nullptr;
    // One effect per sound, kept for the whole run: the data stays loaded while it plays.
    auto *effect = new QSoundEffect(this);
    effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath(key)));
    effects_.insert(key, effect);
    return effect;
}

void SoundPlayer::play(const QString &resource)
{
    last_ = resource;
    ++count_;
    // With no output the effect would report itself playing forever; stay silent instead.
    hadOutput_ = !QMediaDevices::audioOutputs().isEmpty();
    if (!hadOutput_)
        return;
    QSoundEffect *effect = effectFor(resource);
    if (!effect)
        return;
    if (current_ && current_ != effect)
        current_->stop();
    current_ = effect;
    // Restarting the same sound begins it again rather than queueing a second copy.
    effect->stop();
    effect->play();
}

} // namespace tess
