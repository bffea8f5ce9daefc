// One whole frame of the game (update and drawing, through the director's step) on the street
// level with six thugs in play. Headless unless SDL_VIDEODRIVER/SDL_RENDER_DRIVER say otherwise.
#include "GameSession.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_GameFrameSixThugs(benchmark::State& state)
{
    GameSession session;
    if (!session.start(1280, 720) || !session.startLevel("level-1-street"))
    {
        state.SkipWithError("the game did not start");
        return;
    }
    if (session.fillWithEnemies("street-thug.plist", 6) != 6)
    {
        state.SkipWithError("the thugs did not come");
        return;
    }
    for (auto _ : state)
    {
        session.step(1.0f / 60.0f);
        state.PauseTiming();
        session.topUpPlayer();
        state.ResumeTiming();
    }
}
} // namespace

// The game boots once per run: a fixed count keeps the benchmark from booting it again to size it.
BENCHMARK(BM_GameFrameSixThugs)->Iterations(600)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
