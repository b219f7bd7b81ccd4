// The settings store: defaults, write-through, the player slots and the recent list.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "store/cData.h"

using namespace tess;

namespace
{

struct Store {
    QTemporaryDir dir;
    QString conf() const { return dir.filePath("Tessaline/Tessaline.conf"); }
    std::unique_ptr<cData> open()
    {
        auto d = std::make_unique<cData>(conf(), dir.filePath("data"));
        catalogue::Init(*d);
        return d;
    }
};

} // namespace

TEST(SettingsStore, FreshAccountGivesEveryDefault)
{
    Store s;
    auto d = s.open();
    for (const SettingInfo &info : settingTable())
        EXPECT_EQ(info.id, settingTable()[static_cast<int>(info.id)].id) << info.key;
    EXPECT_EQ(d->Autoplay(), 1);
    EXPECT_EQ(d->CustomColor(), 128);
    EXPECT_EQ(d->ShowToolbar(), 1);
    EXPECT_EQ(d->CardSpeed(), 5);
    EXPECT_EQ(d->UndoSpeed(), 5);
    EXPECT_EQ(d->UndoallSpeed(), 2);
    EXPECT_EQ(d->ReplaySpeed(), 7);
    EXPECT_EQ(d->get(Setting::SoundStart), -1);
    EXPECT_EQ(d->get(Setting::SoundCardDown), 0);
    EXPECT_EQ(d->get(Setting::SoundCardUp), 0);
    EXPECT_EQ(d->get(Setting::SoundUndo), -1);
    EXPECT_EQ(d->get(Setting::SoundRedo), -1);
    EXPECT_EQ(d->get(Setting::SoundAutoPlay), -1);
    EXPECT_EQ(d->get(Setting::SoundWin), -1);
    EXPECT_EQ(d->ShowTime(), 1);
    EXPECT_EQ(d->ShowScore(), 1);
    EXPECT_EQ(d->ShowMoves(), 1);
    EXPECT_EQ(d->BGIndex(), 1007);
    EXPECT_EQ(d->RangeIndex(), 15);
    EXPECT_EQ(d->DeckIndex(), 531);
    EXPECT_EQ(d->Fade(), 1);
    EXPECT_EQ(d->LastGName(), "Blind Alleys");
    EXPECT_EQ(d->CurPlayer(), "");
    EXPECT_EQ(d->TotalPlayers(), 0);
    EXPECT_EQ(d->RecentCount(), 0);
}

TEST(SettingsStore, WritesReachTheIniFileInTheirSections)
{
    Store s;
    {
        auto d = s.open();
        d->set(Setting::BGIndex, 23);
        d->SetCustomColor(0x123456);
        d->SetCurGName("Spiderette");
        d->SetPlayer(1, "Ann", true);
        d->SetRecent("Klondike");
    }
    QSettings raw(s.conf(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Data/BGIndex").toString(), "23");
    EXPECT_EQ(raw.value("Data/CustomColor").toString(), QString::number(0x123456));
    EXPECT_EQ(raw.value("Data/LastGName").toString(), "Spiderette");
    EXPECT_EQ(raw.value("Users/1").toString(), "Ann");
    EXPECT_EQ(raw.value("Users/100").toString(), "Ann");
    EXPECT_EQ(raw.value("Recent/1").toString(), "Klondike");

    // The next run reads what this one wrote.
    auto again = s.open();
    EXPECT_EQ(again->LastGName(), "Spiderette");
    EXPECT_EQ(again->BGIndex(), 23);
    EXPECT_EQ(again->CurPlayer(), "Ann");
}

TEST(SettingsStore, UnreadableValuesFallBackToDefaults)
{
    Store s;
    QDir().mkpath(s.dir.filePath("Tessaline"));
    QFile f(s.conf());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Data]\nAutoplay=yes\nBGIndex=99999\nRangeIndex= 7 \nCustomColor=1e9x\n[Users]\n1=Bob\n");
    f.close();
    auto d = s.open();
    EXPECT_EQ(d->Autoplay(), 1);   // not a number
    EXPECT_EQ(d->BGIndex(), 1007); // beyond 16 bits
    EXPECT_EQ(d->RangeIndex(), 7); // blanks around a number are fine
    EXPECT_EQ(d->CustomColor(), 128);
    EXPECT_EQ(d->GetPlayer(1), "Bob");
}

TEST(SettingsStore, GarbageFileDoesNotCrashAndDefaultsHold)
{
    Store s;
    QDir().mkpath(s.dir.filePath("Tessaline"));
    QFile f(s.conf());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 7919) % 256));
    f.write(junk);
    f.close();
    auto d = s.open();
    EXPECT_EQ(d->DeckIndex(), 531);
    d->set(Setting::DeckIndex, 502);
    EXPECT_EQ(d->DeckIndex(), 502);
}

TEST(SettingsStore, GameTableIdsAreExact)
{
    Store s;
    auto d = s.open();
    EXPECT_EQ(d->TotalGames(), 33);
    EXPECT_EQ(d->ProdName(), "Tessaline");
    EXPECT_EQ(d->HelpFile(), "ts.chm");
    EXPECT_EQ(d->GetGameID("Klondike"), 17);
    EXPECT_EQ(d->GetGameID("klondike"), 0);
    EXPECT_EQ(d->GetGName(1), "Blind Alleys");
    EXPECT_EQ(d->GetGName(33), "Westcliff");
    EXPECT_THROW(d->GetGName(34), IndexError);
}

TEST(SettingsStore, PlayersCountEveryUsedSlot)
{
    Store s;
    auto d = s.open();
    d->SetPlayer(1, "Ann", false);
    d->SetPlayer(7, "Bob", false);
    EXPECT_EQ(d->TotalPlayers(), 2);
    EXPECT_EQ(d->CurPlayer(), "");
    d->SetPlayer(7, "Bob", true);
    EXPECT_EQ(d->CurPlayer(), "Bob");
    d->SetPlayer(1, "", false);
    EXPECT_EQ(d->TotalPlayers(), 1);
}

TEST(SettingsStore, RecentListShiftsAndKeepsDuplicates)
{
    Store s;
    auto d = s.open();
    d->SetRecent("Klondike");
    d->SetRecent("Canister");
    d->SetRecent("Klondike");
    EXPECT_EQ(d->GetRecent(1), "Klondike");
    EXPECT_EQ(d->GetRecent(2), "Canister");
    EXPECT_EQ(d->GetRecent(3), "Klondike");
    EXPECT_EQ(d->RecentCount(), 3);
    d->SetRecent("Klondike"); // already on top: nothing moves
    EXPECT_EQ(d->RecentCount(), 3);
    for (const char *g : {"A", "B", "C", "D"})
        d->SetRecent(g);
    EXPECT_EQ(d->RecentCount(), 5);
    EXPECT_EQ(d->GetRecent(1), "D");
    EXPECT_EQ(d->GetRecent(5), "Klondike"); // the oldest fell off the end
    d->ClearRecent();
    EXPECT_EQ(d->RecentCount(), 0);
}

TEST(SettingsStore, AppDirEndsWithTheProductFolder)
{
    Store s;
    auto d = s.open();
    EXPECT_EQ(d->AppDir(), s.dir.filePath("data") + "/Tessaline/");
    cData defaults(s.conf());
    EXPECT_TRUE(defaults.AppDir().endsWith("/Tessaline/"));
}

namespace
{
struct Recorder : SoundSink {
    QStringList played;
    void play(const QString &r) override { played << r; }
};
struct HelpRecorder : HelpSink {
    QString file;
    int context = -1;
    bool popup = false;
    void showTopic(const QString &f, int c, bool p) override
    {
        file = f;
        context = c;
        popup = p;
    }
};
} // namespace

TEST(SettingsStore, SoundRulesFollowTheSettingsExactly)
{
    Store s;
    auto d = s.open();
    Recorder rec;
    d->setSoundSink(&rec);
    d->PlaySound("CardDown");
    d->PlaySound("CardUp");
    d->PlaySound("start");
    EXPECT_TRUE(rec.played.isEmpty());
    d->PlaySound("Start");
    d->PlaySound("Redo");
    EXPECT_EQ(rec.played, QStringList({"START", "UNDO"}));
    d->set(Setting::SoundRedo, 0);
    d->PlaySound("Redo");
    d->set(Setting::SoundWin, 1); // only -1 means on
    d->PlaySound("Win");
    EXPECT_EQ(rec.played.size(), 2);
}

TEST(SettingsStore, HelpRequestsCarryTheGameId)
{
    Store s;
    auto d = s.open();
    HelpRecorder h;
    d->setHelpSink(&h);
    d->ShowRules("Klondike");
    EXPECT_EQ(h.file, "ts.chm");
    EXPECT_EQ(h.context, 17);
    EXPECT_TRUE(h.popup);
    d->ShowContents();
    EXPECT_EQ(h.context, 0);
    EXPECT_FALSE(h.popup);
}

TEST(CDataColour, TheCustomColourKeepsAll24BitsAndTheGenericPairRefusesIt)
{
    QTemporaryDir dir;
    {
        cData d(dir.filePath("t.conf"), dir.filePath("data"));
        d.SetCustomColor(0xFF8000);
        EXPECT_EQ(d.CustomColor(), 0xFF8000);
        EXPECT_THROW(d.get(Setting::CustomColor), std::logic_error);
        EXPECT_THROW(d.set(Setting::CustomColor, 1), std::logic_error);
        EXPECT_EQ(d.CustomColor(), 0xFF8000);
    }
    cData again(dir.filePath("t.conf"), dir.filePath("data"));
    EXPECT_EQ(again.CustomColor(), 0xFF8000);
}

TEST(CDataColour, ListenersHearOfRealChangesOnly)
{
    struct Heard : SettingsListener {
        std::vector<Setting> got;
        void settingChanged(Setting s) override { got.push_back(s); }
    } heard;
    QTemporaryDir dir;
    cData d(dir.filePath("t.conf"), dir.filePath("data"));
    d.setSettingsListener(&heard);
    d.set(Setting::BGIndex, 73);
    d.set(Setting::BGIndex, 73);
    d.SetCustomColor(0xFF8000);
    d.SetCustomColor(0xFF8000);
    d.SetCurPlayer("Ann");
    EXPECT_EQ(heard.got, (std::vector<Setting>{Setting::BGIndex, Setting::CustomColor}));
}

namespace
{
struct FailureHeard : SettingsListener {
    QStringList files, reasons;
    void settingChanged(Setting) override {}
    void storeFailed(const QString &file, const QString &reason) override
    {
        files << file;
        reasons << reason;
    }
};

// Makes the store's folder unusable for everyone. File modes are no use here: the tests run as
// root, and root writes through any mode. A regular file where the folder should be is
// refused to root as well: nothing can be made inside a file.
struct FolderIsAFile {
    QString folder;
    explicit FolderIsAFile(const QString &f) : folder(f)
    {
        EXPECT_TRUE(QDir().rename(folder, folder + ".away"));
        QFile blocker(folder);
        EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    ~FolderIsAFile()
    {
        QFile::remove(folder);
        QDir().rename(folder + ".away", folder);
    }
};

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TEST(SettingsStore, AWriteThatFailsIsToldOnceUntilAWriteSucceedsAndNothingSetIsLost)
{
    Store s;
    auto d = s.open();
    FailureHeard heard;
    d->setSettingsListener(&heard);
    d->set(Setting::BGIndex, 23);
    ASSERT_TRUE(d->sync());
    {
        FolderIsAFile blocked(s.dir.filePath("Tessaline"));
        d->set(Setting::BGIndex, 24);
        d->set(Setting::DeckIndex, 502);
        d->SetPlayer(1, "Ann", true);
        ASSERT_EQ(heard.files, QStringList{s.conf()});
        EXPECT_TRUE(heard.reasons[0].contains("not a folder")) << heard.reasons[0].toStdString();
        EXPECT_FALSE(d->sync());
        EXPECT_FALSE(d->storeFailure().isEmpty());
        EXPECT_EQ(heard.files.size(), 1);
        EXPECT_EQ(d->BGIndex(), 24); // kept in memory meanwhile
        EXPECT_EQ(d->CurPlayer(), "Ann");
    }
    // The next write saves everything set while the file was out of reach.
    d->set(Setting::Fade, 0);
    EXPECT_TRUE(d->storeFailure().isEmpty());
    QSettings raw(s.conf(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Data/BGIndex").toString(), "24");
    EXPECT_EQ(raw.value("Data/DeckIndex").toString(), "502");
    EXPECT_EQ(raw.value("Users/100").toString(), "Ann");
    EXPECT_EQ(raw.value("Data/Fade").toString(), "0");
    EXPECT_EQ(heard.files.size(), 1);
    // A new failure is a new episode, told again.
    {
        FolderIsAFile blocked(s.dir.filePath("Tessaline"));
        d->set(Setting::Fade, 1);
        EXPECT_EQ(heard.files.size(), 2);
    }
    // A failure before anyone listens is told to the first listener.
    FailureHeard late;
    {
        FolderIsAFile blocked(s.dir.filePath("Tessaline"));
        auto early = s.open();
        early->set(Setting::Fade, 0);
        EXPECT_TRUE(late.files.isEmpty());
        early->setSettingsListener(&late);
        EXPECT_EQ(late.files, QStringList{s.conf()});
        early->setSettingsListener(nullptr);
    }
}

TEST(SettingsStore, HandEditedSpeedsAndRangesAreHeldToWhatTheDialogsOffer)
{
    Store s;
    QDir().mkpath(s.dir.filePath("Tessaline"));
    QFile f(s.conf());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Data]\nCardSpeed=1000\nUndoSpeed=-4\nUndoallSpeed=32767\nReplaySpeed=50\nRangeIndex=0\n");
    f.close();
    auto d = s.open();
    EXPECT_EQ(d->CardSpeed(), 50);
    EXPECT_EQ(d->UndoSpeed(), 0);
    EXPECT_EQ(d->UndoallSpeed(), 50);
    EXPECT_EQ(d->ReplaySpeed(), 50);
    EXPECT_EQ(d->RangeIndex(), 15); // 0 would deal game 1 every time
    for (const auto &[stored, read] :
         std::vector<std::pair<i16, i16>>{{-3, 15}, {1, 1}, {15, 15}, {16, 15}}) {
        d->set(Setting::RangeIndex, stored);
        EXPECT_EQ(d->RangeIndex(), read) << stored;
    }
}

TEST(SettingsStore, TextWithCommasReadsAsWrittenAndStaysSoAfterTheNextSave)
{
    Store s;
    QDir().mkpath(s.dir.filePath("Tessaline"));
    QFile f(s.conf());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Data]\nLastGName=A, B\n[Recent]\n1=x,y\n[Users]\n1=Ann,Bob\n2=Cy,  Di\n3=\"E,F\"\n100=Ann,Bob\n");
    f.close();
    {
        auto d = s.open();
        EXPECT_EQ(d->GetPlayer(1), "Ann,Bob");
        EXPECT_EQ(d->GetPlayer(2), "Cy,  Di");
        EXPECT_EQ(d->GetPlayer(3), "E,F");
        EXPECT_EQ(d->CurPlayer(), "Ann,Bob");
        EXPECT_EQ(d->LastGName(), "A, B");
        EXPECT_EQ(d->GetRecent(1), "x,y");
        EXPECT_EQ(d->PlayerList(), QStringList({"Ann,Bob", "Cy,  Di", "E,F"}));
        d->set(Setting::BGIndex, 5); // the whole file is saved again
    }
    auto again = s.open();
    EXPECT_EQ(again->GetPlayer(1), "Ann,Bob");
    EXPECT_EQ(again->GetPlayer(2), "Cy,  Di");
    EXPECT_EQ(again->CurPlayer(), "Ann,Bob");
    EXPECT_EQ(again->GetRecent(1), "x,y");
    EXPECT_EQ(again->BGIndex(), 5);
    // Same sections and keys; the store itself reads the names as single texts now.
    QSettings raw(s.conf(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Users/2").toString(), "Cy,  Di");
    EXPECT_TRUE(fileText(s.conf()).contains("[Users]"));
}
