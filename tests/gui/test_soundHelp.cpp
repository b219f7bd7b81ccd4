// Sounds, help windows and the About window, driven through the settings object as the program does.
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QtEndian>

#include <gtest/gtest.h>

#include "app/helpText.h"
#include "gui/frmAbout.h"
#include "gui/helpWindow.h"
#include "gui/soundPlayer.h"
#include "model/catalogue.h"
#include "store/cData.h"

using namespace tess;

namespace
{

const char *const kSounds[] = {"AUTOPLAY", "CARDDOWN", "CARDUP", "SEL", "START", "STOCK", "UNDO", "WIN"};

struct Wave {
    QByteArray bytes;
    QVector<qint16> samples;
    double seconds() const { return samples.size() / 44100.0; }
};

Wave loadWave(const char *name)
{
    Wave w;
    QFile f(SoundPlayer::resourcePath(QString::fromLatin1(name)));
    if (!f.open(QIODevice::ReadOnly))
        return w;
    w.bytes = f.readAll();
    for (qsizetype i = 44; i + 1 < w.bytes.size(); i += 2)
        w.samples.push_back(qFromLittleEndian<qint16>(w.bytes.constData() + i));
    return w;
}

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// A settings object on throw-away files, with the catalogue registered as at start-up.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<cData> data;
    Session()
    {
        data = std::make_unique<cData>(dir.filePath(QStringLiteral("conf/Tessaline.conf")),
                                       dir.filePath(QStringLiteral("data")));
        catalogue::Init(*data);
    }
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

TEST(Sounds, EveryResourceIsAWellFormedShortWave)
{
    for (const char *name : kSounds) {
        SCOPED_TRACE(name);
        const Wave w = loadWave(name);
        const QByteArray &b = w.bytes;
        ASSERT_GT(b.size(), 44);
        EXPECT_EQ(b.left(4), "RIFF");
        EXPECT_EQ(le32(b, 4), quint32(b.size() - 8));
        EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(le32(b, 16), 16u);
        EXPECT_EQ(le16(b, 20), 1); // PCM
        EXPECT_EQ(le16(b, 22), 1); // mono
        EXPECT_EQ(le32(b, 24), 44100u);
        EXPECT_EQ(le32(b, 28), 88200u);
        EXPECT_EQ(le16(b, 32), 2);
        EXPECT_EQ(le16(b, 34), 16);
        EXPECT_EQ(b.mid(36, 4), "data");
        EXPECT_EQ(le32(b, 40), quint32(b.size() - 44));
        const QByteArray n(name);
        if (n == "START") {
            EXPECT_GE(w.seconds(), 0.45);
            EXPECT_LE(w.seconds(), 0.8);
        } else if (n == "WIN") {
            EXPECT_GE(w.seconds(), 0.9);
            EXPECT_LE(w.seconds(), 1.5);
        } else {
            EXPECT_GE(w.seconds(), 0.040);
            EXPECT_LE(w.seconds(), 0.120);
        }
    }
}

TEST(Sounds, NoClipNoClickAndAllDistinct)
{
    QVector<QByteArray> seen;
    for (const char *name : kSounds) {
        SCOPED_TRACE(name);
        const Wave w = loadWave(name);
        ASSERT_FALSE(w.samples.isEmpty());
        int peak = 0;
        for (qint16 s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_LT(peak, 32000);
        // Moderate: clearly audible, well below full scale.
        EXPECT_GT(peak, 6000);
        EXPECT_LT(peak, 20000);
        // No jump at either end: the sound fades in from and out to silence.
        EXPECT_LE(std::abs(int(w.samples.first())), 100);
        EXPECT_LE(std::abs(int(w.samples.last())), 100);
        int edge = 0;
        for (int i = 0; i < 22; ++i) // the first and last half millisecond
            edge = std::max(
                {edge, std::abs(int(w.samples[i])), std::abs(int(w.samples[w.samples.size() - 1 - i]))});
        EXPECT_LT(edge, peak / 4);
        for (const QByteArray &other : seen)
            EXPECT_NE(w.bytes, other);
        seen.push_back(w.bytes);
    }
}

// Qt's own decoder must accept the files, or the player would fail silently on a real device.
TEST(Sounds, QtDecodesEveryResource)
{
    for (const char *name : kSounds) {
        QSoundEffect effect;
        effect.setSource(QUrl(QStringLiteral("qrc") + SoundPlayer::resourcePath(QString::fromLatin1(name))));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return effect.status() != QSoundEffect::Loading && effect.status() != QSoundEffect::Null; },
            5000))
            << name;
        EXPECT_EQ(effect.status(), QSoundEffect::Ready) << name;
    }
}

TEST(Sounds, PlaySoundRulesReachThePlayer)
{
    Session s;
    SoundPlayer player;
    s.data->setSoundSink(&player);

    // Kind names are compared exactly: the lower-case name plays nothing.
    s.data->PlaySound(QStringLiteral("start"));
    EXPECT_EQ(player.requestCount(), 0);

    // Default settings: picking up and putting down are silent.
    s.data->PlaySound(QStringLiteral("CardDown"));
    s.data->PlaySound(QStringLiteral("CardUp"));
    EXPECT_EQ(player.requestCount(), 0);

    // ... while the deal, undo, redo, autoplay and winning are heard.
    const std::pair<const char *, const char *> heard[] = {
        {"Start", "START"}, {"Undo", "UNDO"}, {"Redo", "UNDO"}, {"AutoPlay", "AUTOPLAY"}, {"Win", "WIN"}};
    int expected = 0;
    for (const auto &[kind, resource] : heard) {
        s.data->PlaySound(QString::fromLatin1(kind));
        EXPECT_EQ(player.requestCount(), ++expected) << kind;
        EXPECT_EQ(player.lastRequested(), QLatin1String(resource)) << kind;
    }

    // Redo has its own switch even though it borrows the undo sound.
    s.data->set(Setting::SoundRedo, 0);
    s.data->PlaySound(QStringLiteral("Redo"));
    EXPECT_EQ(player.requestCount(), expected);
    s.data->PlaySound(QStringLiteral("Undo"));
    EXPECT_EQ(player.requestCount(), ++expected);

    // Only -1 switches a sound on; 1 leaves it off.
    s.data->set(Setting::SoundWin, 1);
    s.data->PlaySound(QStringLiteral("Win"));
    EXPECT_EQ(player.requestCount(), expected);
    s.data->set(Setting::SoundCardUp, -1);
    s.data->PlaySound(QStringLiteral("CardUp"));
    EXPECT_EQ(player.requestCount(), ++expected);
    EXPECT_EQ(player.lastRequested(), QStringLiteral("CARDUP"));
}

TEST(Sounds, PlayerCopesWithRapidAndUnknownRequests)
{
    SoundPlayer player;
    // A burst of sounds, each replacing the last, returns at once whether or not a device exists.
    for (int i = 0; i < 20; ++i)
        player.play(QString::fromLatin1(kSounds[i % 8]));
    player.play(QStringLiteral("NOSUCHSOUND"));
    EXPECT_EQ(player.requestCount(), 21);
    EXPECT_EQ(player.lastRequested(), QStringLiteral("NOSUCHSOUND"));
    EXPECT_TRUE(QFile::exists(SoundPlayer::resourcePath(QStringLiteral("win"))));
    EXPECT_FALSE(QFile::exists(SoundPlayer::resourcePath(QStringLiteral("NOSUCHSOUND"))));
}

TEST(Help, RulesOpenThePopupAtTheGamesContext)
{
    Session s;
    HelpWindow help;
    s.data->setHelpSink(&help);

    s.data->ShowRules(QStringLiteral("Klondike"));
    QWidget *popup = help.popupWindow();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), QStringLiteral("helpPopup"));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->isWindow());
    EXPECT_EQ(popup->parentWidget(), nullptr);
    EXPECT_EQ(help.popupContext(), 17);
    EXPECT_EQ(help.fullWindow(), nullptr);
    EXPECT_TRUE(popup->windowTitle().contains(QStringLiteral("Klondike")));
    EXPECT_TRUE(popup->windowTitle().contains(QStringLiteral("ts.chm")));
    auto *browser = popup->findChild<QTextBrowser *>();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Klondike"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("filled only with a King")));

    // The same popup shows the next game asked for.
    s.data->ShowRules(QStringLiteral("Westcliff"));
    EXPECT_EQ(help.popupWindow(), popup);
    EXPECT_EQ(help.popupContext(), 33);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Westcliff"));

    // A name outside the catalogue asks for context 0: the contents page.
    s.data->ShowRules(QStringLiteral("klondike"));
    EXPECT_EQ(help.popupContext(), 0);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Tessaline Help"));

    // Closing unloads the window; the next request builds a fresh one.
    popup->close();
    flushDeletes();
    EXPECT_EQ(help.popupWindow(), nullptr);
    EXPECT_EQ(help.popupContext(), -1);
    s.data->ShowRules(QStringLiteral("Raglan"));
    ASSERT_NE(help.popupWindow(), nullptr);
    EXPECT_EQ(help.popupContext(), 26);
}

TEST(Help, RulesAskedFromAModalDialogOpenBesideItAndStayUsable)
{
    Session s;
    HelpWindow help;
    s.data->setHelpSink(&help);
    s.data->ShowRules(QStringLiteral("Klondike")); // already open, with no owner
    {
        // A modal dialog blocks every window but its own: the rules must be one of them.
        QDialog dlg;
        dlg.setWindowModality(Qt::ApplicationModal);
        dlg.show();
        ASSERT_EQ(QApplication::activeModalWidget(), &dlg);
        s.data->ShowRules(QStringLiteral("Raglan"));
        QWidget *popup = help.popupWindow();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->parentWidget(), &dlg);
        EXPECT_TRUE(popup->isWindow());
        EXPECT_TRUE(popup->isVisible());
        EXPECT_EQ(help.popupContext(), 26);
        // Its Close button works while the dialog is open.
        auto *close = popup->findChild<QPushButton *>(QStringLiteral("cmdClose"));
        ASSERT_NE(close, nullptr);
        close->click();
        flushDeletes();
        EXPECT_EQ(help.popupWindow(), nullptr);
        s.data->ShowContents();
        ASSERT_NE(help.fullWindow(), nullptr);
        EXPECT_EQ(help.fullWindow()->parentWidget(), &dlg);
    }
    // The dialog took its help windows with it; the next ones have no owner again.
    flushDeletes();
    s.data->ShowRules(QStringLiteral("Klondike"));
    ASSERT_NE(help.popupWindow(), nullptr);
    EXPECT_EQ(help.popupWindow()->parentWidget(), nullptr);
}

TEST(Help, ContentsOpenTheFullWindowAndItsListNavigates)
{
    Session s;
    HelpWindow help;
    s.data->setHelpSink(&help);

    s.data->ShowContents();
    QWidget *full = help.fullWindow();
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->objectName(), QStringLiteral("helpWindow"));
    EXPECT_EQ(full->parentWidget(), nullptr);
    EXPECT_TRUE(full->isVisible());
    EXPECT_TRUE(full->windowTitle().contains(QStringLiteral("ts.chm")));
    EXPECT_EQ(help.fullContext(), 0);
    EXPECT_EQ(help.popupWindow(), nullptr);

    auto *list = full->findChild<QListWidget *>(QStringLiteral("lstTopics"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), kGameCount);
    for (int id = 1; id <= kGameCount; ++id)
        EXPECT_EQ(list->item(id - 1)->text(), QString::fromLatin1(catalogue::GameName(id)));

    // Clicking a game in the list shows its rules.
    QListWidgetItem *item = list->item(catalogue::GameId("Spiderette") - 1);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    EXPECT_EQ(help.fullContext(), 30);
    auto *browser = full->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Spiderette"));

    // A link of a page leads to the page it names; Back returns and the list follows.
    browser->setSource(helpText::topicUrl(catalogue::GameId("Canister")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Canister"));
    EXPECT_EQ(list->currentRow(), catalogue::GameId("Canister") - 1);
    auto *back = full->findChild<QAbstractButton *>(QStringLiteral("cmdBack"));
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(help.fullContext(), 30);
    auto *home = full->findChild<QAbstractButton *>(QStringLiteral("cmdContents"));
    ASSERT_NE(home, nullptr);
    home->click();
    EXPECT_EQ(help.fullContext(), 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());

    // Asking for the contents again, while the window is open, returns to the contents page.
    browser->setSource(helpText::topicUrl(5));
    s.data->ShowContents();
    EXPECT_EQ(help.fullWindow(), full);
    EXPECT_EQ(help.fullContext(), 0);
}

TEST(About, CaptionLabelsEmblemAndOk)
{
    frmAbout about(QStringLiteral("Tessaline"));
    EXPECT_EQ(about.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Tessaline"));
    EXPECT_FALSE(about.windowIcon().isNull());
    ASSERT_NE(about.findChild<QLabel *>(QStringLiteral("lblName")), nullptr);
    EXPECT_EQ(about.lblName->text(), QStringLiteral("Tessaline"));
    EXPECT_EQ(about.lblversion->objectName(), QStringLiteral("lblversion"));
    EXPECT_EQ(about.lblversion->text(),
              QStringLiteral("Version %1.%2").arg(TESS_VERSION_MAJOR).arg(TESS_VERSION_MINOR));
    EXPECT_EQ(about.Image1->objectName(), QStringLiteral("Image1"));
    EXPECT_EQ(about.cmdOK->objectName(), QStringLiteral("cmdOK"));
    EXPECT_EQ(about.cmdOK->text(), QStringLiteral("OK"));

    bool hasLine = false;
    for (QFrame *f : about.findChildren<QFrame *>())
        hasLine = hasLine || f->frameShape() == QFrame::HLine;
    EXPECT_TRUE(hasLine);
    QStringList texts;
    for (QLabel *l : about.findChildren<QLabel *>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Copyright (c) 2026 the Tessaline developers")));
    EXPECT_TRUE(texts.join(' ').contains(QStringLiteral("33 patience games")));

    // The emblem is a real picture: opaque in the middle, clear in the corner, red and dark inks both
    // present.
    const QImage img = frmAbout::emblem(96, 1).toImage();
    EXPECT_EQ(img.size(), QSize(96, 96));
    EXPECT_EQ(qAlpha(img.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(img.pixel(48, 60)), 255);
    bool red = false, dark = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red = red || (c.alpha() == 255 && c.red() > 150 && c.green() < 80);
            dark = dark || (c.alpha() == 255 && c.red() < 60 && c.green() < 60 && c.blue() < 60);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(dark);
    EXPECT_EQ(frmAbout::emblem(96, 2).toImage().size(), QSize(192, 192));

    // A different product name reaches the caption and the name label.
    frmAbout other(QStringLiteral("Solo"));
    EXPECT_EQ(other.windowTitle(), QStringLiteral("About Solo"));
    EXPECT_EQ(other.lblName->text(), QStringLiteral("Solo"));

    about.show();
    ASSERT_TRUE(about.isVisible());
    about.cmdOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
