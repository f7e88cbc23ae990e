#include "solver/SolutionPlay.h"

#include "engine/cPlay.h"
#include "history/mFile.h"
#include "rules/RuleCodes.h"
#include "rules/RunTimeError.h"
#include "rules/cGames.h"

namespace solver {

bool playOnTable(cPlay& play, const cGames& games, const PlaySession& session, const Move& move)
{
    switch (move.kind) {
    case Move::Kind::Deal:
        if (games.Piles(Cell::Stock) == 0 || games.StockType() == StockType::TopPlayable ||
            play.GetTop(Cell::Stock, 0) < 0)
            return false;
        play.StockClick();
        return true;
    case Move::Kind::Redeal:
        if (games.Piles(Cell::Stock) == 0 || play.GetTop(Cell::Stock, 0) >= 0 || !session.Game_Running() ||
            games.StockNum() != Redeal::Allowed ||
            (games.Redeals() != Redeal::kUnlimited && session.RedealsComp() >= games.Redeals()))
            return false;
        play.EmptyStockClick();
        return true;
    case Move::Kind::Drag: break;
    }
    if (move.card < 0 || move.card >= play.CardCount() || play.Cell(move.card) != move.fromCell ||
        play.Pile(move.card) != move.fromPile || move.toCell < 0 || move.toCell >= cPlay::kCells || move.toPile < 0 ||
        move.toPile >= games.Piles(move.toCell))
        return false;
    // The line names the run it moves: a table where another run would go
    // along is not the one the line was found on.
    int16_t k = 0;
    if (!play.CanPickUp(move.card, k) || k != move.carried)
        return false;
    return play.PlayerMove(move.card, move.toCell, move.toPile);
}

PlayedTable::PlayedTable(const QString& name, bool autoPlay)
    : scratch_(name), engine_(scratch_.play, scratch_.services), autoPlay_(autoPlay)
{
    session_.name = name;
    scratch_.services.setSession(&session_);
    scratch_.services.settings().write(settings::kAutoPlay, autoPlay ? 1 : 0);
    scratch_.play.setRecorder(&engine_);
}

PlayedTable::~PlayedTable()
{
    scratch_.play.setRecorder(nullptr);
    scratch_.services.setSession(nullptr);
}

void PlayedTable::deal(const GameNo& number)
{
    session_.number = number;
    session_.redeals = 0;
    scratch_.deal(number);
    engine_.ClearTRANS();
    // As a new game starts in play: what may go home at once does.
    scratch_.play.AutoMoveCheck();
}

Table PlayedTable::table() const
{
    const bool autoPlayOn = autoPlay_ && scratch_.games.DisAutoPlay() != -1;
    return Table::of(scratch_.games, scratch_.play, session_.redeals, autoPlayOn);
}

bool PlayedTable::play(const Move& move) { return playOnTable(scratch_.play, scratch_.games, session_, move); }

bool PlayedTable::won() const { return scratch_.play.GoalCards() == scratch_.games.TotalCards(); }

void PlayedTable::save(const QString& path) const
{
    mFile::GameSummary header;
    header.gameName = session_.name;
    header.gameNo = session_.number;
    header.moves = engine_.GetTransID();
    header.percentage = session_.Percentage();
    mFile::WriteGameFile(path, header, engine_.movesInEffect());
}

void saveSolution(const QString& gameName, const GameNo& number, const std::vector<Move>& moves, bool autoPlay,
                  const QString& path)
{
    PlayedTable table(gameName, autoPlay);
    table.deal(number);
    for (size_t i = 0; i < moves.size(); ++i)
        if (!table.play(moves[i]))
            throw RunTimeError(RunTimeError::kInvalidCall,
                               QStringLiteral("Move %1 of the winning line is not possible.").arg(i + 1));
    if (!table.won())
        throw RunTimeError(RunTimeError::kInvalidCall, QStringLiteral("The winning line does not win the game."));
    table.save(path);
}

WinnableDraw drawWinnable(const QString& gameName, const std::function<GameNo()>& draw, bool autoPlay,
                          std::chrono::milliseconds within, uint64_t budget)
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    PlayedTable table(gameName, autoPlay);
    Solver solver;
    WinnableDraw result;
    do {
        result.number = draw();
        ++result.drawn;
        table.deal(result.number);
        Limits limits;
        limits.positions = budget;
        // Only the verdict counts here: no time on making the line short.
        limits.shorten = false;
        limits.time =
            std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()),
                     std::chrono::milliseconds(1));
        if (solver.solve(table.table(), limits).verdict == Verdict::Winnable) {
            result.proven = true;
            return result;
        }
    } while (std::chrono::steady_clock::now() < deadline);
    return result;
}

} // namespace solver
