#pragma once

#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/FakeSessionHost.h"
#include "support/RandomPlayer.h"
#include "support/TableText.h"
#include "support/TempHome.h"

#include <QDir>

#include <gtest/gtest.h>

// The program's session in a temporary home, with the window, score store
// and library as fakes.
class SessionFixture {
public:
    SessionFixture()
    {
        session.setHost(&host);
        session.setScoreRecorder(&host);
        session.setArchive(&host);
        shared.services.setPrompts(&prompts);
        shared.services.settings().write(settings::kCurPlayer, QStringLiteral("Player1"));
    }

    // Random legal moves, as a player would make them.
    void play(int actions, uint32_t seed = 7)
    {
        RandomPlayer player(shared, seed);
        for (int i = 0; i < actions && player.step(); ++i) {
        }
    }

    // Where every card lies and how it faces, as text.
    QString table() const { return tableText(shared.play); }

    QString file(const QString& name) const { return home.path(name); }

    TempHome home;
    Shared shared;
    cGamePlay& session = shared.gamePlay;
    FakeSessionHost host;
    FakePrompts prompts;
};
