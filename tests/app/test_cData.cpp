// The settings store: defaults, write-through, the player slots and the recent list.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/cData.h"
#include "model/catalogue.h"

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
