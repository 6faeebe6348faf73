// Whole matches against the computer played by the rules alone: the board
// without a window, the virtual clock, numbers scripted from a fixed seed.
// Prints the time per match (min / median / max over all seeds).
// Run: build/bench/headless_match [MATCHES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "fake_board.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// More numbers than any match draws: 74 per deal and at most one per token taken.
constexpr int NumbersPerMatch = 5 * 2 * 74 + 200;

struct Outcome {
    double ms = 0;
    int takes = 0;
    int games = 0;
};

Outcome playMatch(unsigned seed)
{
    Table t;
    t.m.PlayerName[1] = QStringLiteral("Ann");
    t.m.PlayerName[2] = QStringLiteral("Computer");
    t.m.VsComputer = True;
    t.m.SoundOn = True;
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < NumbersPerMatch; ++i)
        t.rng.raw(std::min(unit(gen), 0.99999f));
    std::uniform_int_distribution<int> pick(1, 3);

    Outcome o;
    const auto t0 = std::chrono::steady_clock::now();
    t.game.Form_Load();
    t.game.Form_Activate();
    while (t.board.winnerDialogs == 0) {
        if (t.board.isVisible(Ctl::shpImmed)) {
            t.game.cmdImmed_Click();  // Continue after the ultimate penalty
            continue;
        }
        t.board.type(QString::number(2 * pick(gen)));
        t.game.OkPressed();
        ++o.takes;
    }
    o.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    o.games = t.game.Wins[1] + t.game.Wins[2];
    return o;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int matches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    playMatch(0);  // warms the caches and the allocator; not counted
    std::vector<double> ms;
    long takes = 0, games = 0;
    for (int s = 1; s <= matches; ++s) {
        const Outcome o = playMatch(static_cast<unsigned>(s));
        ms.push_back(o.ms);
        takes += o.takes;
        games += o.games;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%d matches (%.1f games won, %.1f of the player's takes each on average)\n", matches,
                static_cast<double>(games) / matches, static_cast<double>(takes) / matches);
    std::printf("ms per match: min %.3f  median %.3f  max %.3f\n", ms.front(), ms[ms.size() / 2], ms.back());
    return 0;
}
