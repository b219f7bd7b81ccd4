// A throw-away data folder with the catalogue registered, for the score-store tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "store/cData.h"
#include "store/cScore.h"

namespace tess::test
{

class ScoreFixture : public ::testing::Test
{
  protected:
    ScoreFixture() : data(tmp.filePath("t.conf"), tmp.filePath("data")) { catalogue::Init(data); }

    QString dir() const { return data.AppDir(); }

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(dir());
        QFile f(dir() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString &name) const
    {
        QFile f(dir() + name);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    }

    bool exists(const QString &name) const { return QFile::exists(dir() + name); }

    // A current game for AddScore and AddSesGame.
    void setGame(const QString &name, GameNumber no, i32 time, i16 moves, i16 score)
    {
        data.SetCurGName(name);
        data.CurGNo = std::move(no);
        data.CurTime = time;
        data.CurMoves = moves;
        data.CurScore = score;
    }

    QTemporaryDir tmp;
    cData data;
    cScore score{data};
};

} // namespace tess::test
