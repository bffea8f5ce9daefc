// Frame times of the real game: boots it, starts the street level and, for each enemy count,
// steps a fixed number of frames timing the update and the drawing apart. The numbers only mean
// something next to each other: compare the ratios to the empty street, or two builds with
// --out and --compare, not the milliseconds.
//
//   frametime [--frames M] [--warmup W] [--bots 0,20,50] [--churn N] [--size 1280x720] [--gl]
//             [--capture PREFIX] [--log] [--out FILE] [--label NAME] [--level NAME] [--strict]
//   frametime --compare FIRST SECOND
//   frametime --minutes N [--bots 50] [--churn N] [--size WxH] [--gl]
//   frametime --rounds N [--stages a,b,...] [--stage-frames F] [--size WxH] [--gl]
//
// The game's own log is dropped unless --log; --capture saves one frame per enemy count after
// measuring (PREFIX-<bots>.png) to check what was drawn.
// Headless by default (SDL's dummy video driver, software renderer). --gl asks for a real window
// and the accelerated renderer: run it on a display or under xvfb-run.
// --minutes runs the last enemy count of --bots for that many simulated minutes (stepped frames,
// not wall time) and prints resident memory at the end of each minute, to show whether it grows.
// --rounds plays every stage (or those of --stages) in turn that many times and prints the
// resident memory after each round and the longest frames of each level load.
// --strict makes the exit status 3 when a measured update (after the warm-up) took over 4 ms of
// the thread's CPU time.
#include "FrameTimeReport.h"
#include "GameSession.h"

#include "cocos2d.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
const char* const kEnemy = "street-thug.plist";
const float kDt = 1.0f / 60.0f;
// A hitch: an update that leaves a 240 Hz frame no room, and one that misses a 60 Hz frame alone.
const double kHitchMs = 4.0;
const double kFrameMs = 1000.0 / 60.0;

struct Options
{
    int frames = 600;
    int minutes = 0;
    int warmup = 120;
    int churn = 30;
    int width = 1280;
    int height = 720;
    bool gl = false;
    bool log = false;
    bool strict = false;
    int rounds = 0;
    int stageFrames = 300;
    std::vector<std::string> stages = { "level-1-street", "level-2-docks", "level-3-market", "level-4-yard",
                                        "level-5-tower",  "arena-alley",   "arena-helipad",  "arena-pier",
                                        "arena-rooftop",  "arena-yard" };
    std::string level = "level-1-street";
    std::string capture;
    std::string out;
    std::string label = "run";
    std::string compareFirst;
    std::string compareSecond;
    std::vector<int> bots = { 0, 20, 50 };
};

void usage()
{
    fprintf(stderr, "usage: frametime [--frames M] [--warmup W] [--bots 0,20,50] [--churn N] [--size WxH] [--gl]\n"
                    "                 [--capture PREFIX] [--log] [--out FILE] [--label NAME] [--level NAME] [--strict]\n"
                    "       frametime --compare FIRST SECOND\n"
                    "       frametime --minutes N [--bots 50] [--churn N] [--size WxH] [--gl] [--log]\n");
}

bool parseOptions(int argc, char** argv, Options* options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : NULL;
        if (arg == "--gl")
        {
            options->gl = true;
        }
        else if (arg == "--log")
        {
            options->log = true;
        }
        else if (arg == "--strict")
        {
            options->strict = true;
        }
        else if (arg == "--level" && value)
        {
            options->level = argv[++i];
        }
        else if (arg == "--rounds" && value)
        {
            options->rounds = atoi(argv[++i]);
        }
        else if (arg == "--stage-frames" && value)
        {
            options->stageFrames = atoi(argv[++i]);
        }
        else if (arg == "--stages" && value)
        {
            options->stages.clear();
            std::string list = argv[++i];
            for (size_t start = 0; start <= list.size();)
            {
                const size_t comma = std::min(list.find(',', start), list.size());
                if (comma > start)
                {
                    options->stages.push_back(list.substr(start, comma - start));
                }
                start = comma + 1;
            }
        }
        else if (arg == "--capture" && value)
        {
            options->capture = argv[++i];
        }
        else if (arg == "--out" && value)
        {
            options->out = argv[++i];
        }
        else if (arg == "--label" && value)
        {
            options->label = argv[++i];
        }
        else if (arg == "--compare" && value && i + 2 < argc)
        {
            options->compareFirst = argv[++i];
            options->compareSecond = argv[++i];
        }
        else if (arg == "--frames" && value)
        {
            options->frames = atoi(argv[++i]);
        }
        else if (arg == "--minutes" && value)
        {
            options->minutes = atoi(argv[++i]);
        }
        else if (arg == "--warmup" && value)
        {
            options->warmup = atoi(argv[++i]);
        }
        else if (arg == "--churn" && value)
        {
            options->churn = atoi(argv[++i]);
        }
        else if (arg == "--size" && value && sscanf(value, "%dx%d", &options->width, &options->height) == 2)
        {
            ++i;
        }
        else if (arg == "--bots" && value)
        {
            options->bots.clear();
            for (const char* p = argv[++i]; *p;)
            {
                options->bots.push_back(atoi(p));
                p = strchr(p, ',');
                if (!p)
                {
                    break;
                }
                ++p;
            }
        }
        else
        {
            return false;
        }
    }
    return options->frames > 0 && options->minutes >= 0 && options->rounds >= 0 && options->stageFrames > 0 &&
           !options->stages.empty() && options->warmup >= 0 && options->churn >= 0 && options->width > 0 &&
           options->height > 0 && !options->bots.empty() && options->label.find_first_of(" \t\n=") == std::string::npos;
}

/** What else the frame did: an enemy came in or went, or the harness had just knocked one out. */
int kindOf(const FrameCost& cost, bool knockedOut)
{
    if (cost.botsAfter > cost.botsBefore)
    {
        return kFrameKind_Spawn;
    }
    if (cost.botsAfter < cost.botsBefore)
    {
        return kFrameKind_Leave;
    }
    return knockedOut ? kFrameKind_KnockOut : kFrameKind_Plain;
}

/** Untimed frames, with the same knock-outs as the measured ones, so the first of each kind is not measured. */
void warmUp(GameSession& session, const Options& options, int bots)
{
    for (int i = 0; i < options.warmup; ++i)
    {
        session.step(kDt);
        session.topUpPlayer();
        if (bots > 0 && options.churn > 0 && i % options.churn == options.churn - 1)
        {
            session.knockOutAndReplace(kEnemy);
        }
    }
}

/** The first line of a report: the level, the drivers, the window, what was run and any churn. */
void printRunHeader(FILE* out, GameSession& game, const Options& options, const char* span)
{
    fprintf(out, "%s, %s, %dx%d, %s", options.level.c_str(), game.describeDrivers(), options.width, options.height, span);
    if (options.churn > 0)
    {
        fprintf(out, ", one knocked out and replaced every %d frames", options.churn);
    }
}

bool measure(GameSession& session, const Options& options, int bots, Run* run)
{
    run->bots = bots;
    run->inPlay = session.fillWithEnemies(kEnemy, bots);
    if (run->inPlay < 0)
    {
        return false;
    }
    warmUp(session, options, bots);
    std::vector<double> update, updateCpu, draw, drawCpu, frame;
    unsigned long long calls = 0, quads = 0;
    run->rssStartKb = residentKb();
    bool knockedOut = false;
    for (int i = 0; i < options.frames; ++i)
    {
        const FrameCost cost = session.timedStep(kDt);
        run->worst.add(kindOf(cost, knockedOut), cost.updateCpuMs, i);
        knockedOut = false;
        update.push_back(cost.updateMs);
        updateCpu.push_back(cost.updateCpuMs);
        draw.push_back(cost.drawMs);
        drawCpu.push_back(cost.drawCpuMs);
        frame.push_back(cost.updateMs + cost.drawMs);
        run->updatesOver4ms += cost.updateMs > kHitchMs ? 1 : 0;
        run->updatesOver16ms += cost.updateMs > kFrameMs ? 1 : 0;
        run->updateCpuOver4ms += cost.updateCpuMs > kHitchMs ? 1 : 0;
        run->framesOver16ms += cost.updateMs + cost.drawMs > kFrameMs ? 1 : 0;
        calls += cost.drawCalls;
        quads += cost.quads;
        run->maxDrawCalls = std::max(run->maxDrawCalls, cost.drawCalls);
        run->maxQuads = std::max(run->maxQuads, cost.quads);
        // Outside the timed part: a knocked-out player would end the level mid-run, and the
        // enemies knocked out here fall, leave and are replaced inside the timed frames.
        if (session.topUpPlayer())
        {
            ++run->topUps;
        }
        if (bots > 0 && options.churn > 0 && i % options.churn == options.churn - 1 &&
            session.knockOutAndReplace(kEnemy))
        {
            ++run->knockOuts;
            knockedOut = true;
        }
    }
    run->rssEndKb = residentKb();
    run->update = Summary::of(update);
    run->updateCpu = Summary::of(updateCpu);
    run->draw = Summary::of(draw);
    run->drawCpu = Summary::of(drawCpu);
    run->frame = Summary::of(frame);
    run->drawCalls = (double)calls / options.frames;
    run->quads = (double)quads / options.frames;
    if (!options.capture.empty())
    {
        const std::string path = options.capture + "-" + std::to_string(bots) + ".png";
        if (!session.captureFrame(path.c_str()))
        {
            fprintf(stderr, "could not save %s\n", path.c_str());
        }
    }
    return true;
}
/** The long run: the last enemy count for options.minutes simulated minutes, memory read each minute. */
bool measureMemory(GameSession& session, const Options& options, MemoryRun* run)
{
    const int framesPerMinute = (int)(60.0f / kDt + 0.5f);
    run->bots = options.bots.back();
    if (session.fillWithEnemies(kEnemy, run->bots) < 0)
    {
        return false;
    }
    warmUp(session, options, run->bots);
    run->rssStartKb = residentKb();
    bool knockedOut = false;
    for (int minute = 0; minute < options.minutes; ++minute)
    {
        double cpuMax = 0.0;
        int cpuOver4ms = 0;
        for (int i = 0; i < framesPerMinute; ++i)
        {
            const FrameCost cost = session.timedStep(kDt);
            run->worst.add(kindOf(cost, knockedOut), cost.updateCpuMs, minute * framesPerMinute + i);
            knockedOut = false;
            cpuMax = std::max(cpuMax, cost.updateCpuMs);
            cpuOver4ms += cost.updateCpuMs > kHitchMs ? 1 : 0;
            session.topUpPlayer();
            if (run->bots > 0 && options.churn > 0 && i % options.churn == options.churn - 1 &&
                session.knockOutAndReplace(kEnemy))
            {
                ++run->knockOuts;
                knockedOut = true;
            }
        }
        run->rssMinuteKb.push_back(residentKb());
        run->updateCpuMaxMs.push_back(cpuMax);
        run->updateCpuOver4ms.push_back(cpuOver4ms);
    }
    run->rssPeakKb = peakResidentKb();
    return true;
}
/** The frames of one level load: from the request until a second after the level runs. */
struct LoadFrames
{
    double longestMs = 0.0;     ///< update and drawing, wall time
    double longestCpuMs = 0.0;  ///< the update's thread CPU time
    double longestInViewMs = 0.0;  ///< the longest of the frames that changed the picture
    double longestInViewCpuMs = 0.0;  ///< the same by CPU time (update and drawing), which a busy machine does not stretch
    int over16ms = 0;
    int frames = 0;
};

/**
 * Plays every stage in turn, rounds times, each for stageFrames frames with the player kept
 * standing, and prints the resident memory after each round and each stage's load frames.
 */
bool playRounds(FILE* out, GameSession& session, const Options& options)
{
    const int kLoadWindow = 60;  // frames after the level runs still counted as its load
    const int kMaxWait = 600;
    std::vector<long> rssRoundKb;
    std::vector<LoadFrames> firstLoads(options.stages.size()), worstLoads(options.stages.size());
    for (int round = 0; round < options.rounds; ++round)
    {
        for (size_t s = 0; s < options.stages.size(); ++s)
        {
            const char* stage = options.stages[s].c_str();
            session.requestLevel(stage);
            session.setComparePictures(true);
            LoadFrames load;
            int sinceRunning = -1;
            for (int i = 0; i < kMaxWait && sinceRunning < kLoadWindow; ++i)
            {
                const FrameCost cost = session.timedStep(kDt);
                load.longestMs = std::max(load.longestMs, cost.updateMs + cost.drawMs);
                load.longestCpuMs = std::max(load.longestCpuMs, cost.updateCpuMs);
                // A frame that put its picture up before its long work held that picture during it.
                if (cost.pictureChanged && !cost.shownInUpdate)
                {
                    load.longestInViewMs = std::max(load.longestInViewMs, cost.updateMs + cost.drawMs);
                    load.longestInViewCpuMs = std::max(load.longestInViewCpuMs, cost.updateCpuMs + cost.drawCpuMs);
                }
                load.over16ms += cost.updateMs + cost.drawMs > kFrameMs ? 1 : 0;
                ++load.frames;
                if (sinceRunning >= 0 || session.isPlaying(stage))
                {
                    ++sinceRunning;
                }
            }
            session.setComparePictures(false);
            if (sinceRunning < 0)
            {
                fprintf(stderr, "%s did not start\n", stage);
                return false;
            }
            if (round == 0)
            {
                firstLoads[s] = load;
            }
            LoadFrames& worst = worstLoads[s];
            worst.longestMs = std::max(worst.longestMs, load.longestMs);
            worst.longestCpuMs = std::max(worst.longestCpuMs, load.longestCpuMs);
            worst.longestInViewMs = std::max(worst.longestInViewMs, load.longestInViewMs);
            worst.longestInViewCpuMs = std::max(worst.longestInViewCpuMs, load.longestInViewCpuMs);
            worst.over16ms = std::max(worst.over16ms, load.over16ms);
            for (int i = 0; i < options.stageFrames; ++i)
            {
                session.step(kDt);
                session.topUpPlayer();
            }
        }
        rssRoundKb.push_back(residentKb());
    }
    fprintf(out, " round  resident MB  change from round 1 MB\n");
    for (size_t r = 0; r < rssRoundKb.size(); ++r)
    {
        fprintf(out, " %5zu  %11.1f  %+21.1f\n", r + 1, rssRoundKb[r] / 1024.0, (rssRoundKb[r] - rssRoundKb[0]) / 1024.0);
    }
    fprintf(out, "\nload frames: from the request until %d frames after the level runs (update + drawing, ms);\n"
                 "in view: the longest frame that changed the picture (a frame that shows the picture before it\n"
                 "again, such as a cover, is not seen to stall; nor is one that put its picture up before its\n"
                 "own long work, as a load behind its cover does)\n",
            kLoadWindow);
    fprintf(out, "%-16s %7s %12s %9s %9s %12s %9s   %12s %9s %9s %12s %9s\n", "stage", "frames", "round 1 max",
            "in view", "view CPU", "upd CPU max", ">16.7 ms", "worst max", "in view", "view CPU", "upd CPU max",
            ">16.7 ms");
    for (size_t s = 0; s < options.stages.size(); ++s)
    {
        const LoadFrames& a = firstLoads[s];
        const LoadFrames& b = worstLoads[s];
        fprintf(out, "%-16s %7d %12.3f %9.3f %9.3f %12.3f %9d   %12.3f %9.3f %9.3f %12.3f %9d\n",
                options.stages[s].c_str(), a.frames, a.longestMs, a.longestInViewMs, a.longestInViewCpuMs,
                a.longestCpuMs, a.over16ms, b.longestMs, b.longestInViewMs, b.longestInViewCpuMs, b.longestCpuMs,
                b.over16ms);
    }
    fprintf(out, "\nboot (launch until the title has opened): longest frame %.3f ms, longest in view %.3f ms\n",
            session.bootLongestMs(), session.bootLongestInViewMs());
    fprintf(out, "\nresident peak %.1f MB\n", peakResidentKb() / 1024.0);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, &options))
    {
        usage();
        return 2;
    }
    if (!options.compareFirst.empty())
    {
        return printComparison(stdout, options.compareFirst.c_str(), options.compareSecond.c_str()) ? 0 : 1;
    }
    // The table goes where stdout went; the game logs to stdout too, so that goes quiet.
    FILE* out = fdopen(dup(fileno(stdout)), "w");
    if (!out)
    {
        return 1;
    }
    if (!options.log && !freopen("/dev/null", "w", stdout))
    {
        return 1;
    }
    if (options.gl)
    {
        // A real window with the accelerated renderer; an explicit environment still wins.
        setenv("SDL_VIDEODRIVER", "x11", 0);
        setenv("SDL_RENDER_DRIVER", "opengl", 0);
    }

    GameSession game;
    Session session;
    session.label = options.label;
    if (!game.start(options.width, options.height))
    {
        return 1;
    }
    session.rssTitleKb = residentKb();
    if (options.rounds > 0)
    {
        char span[160];
        snprintf(span, sizeof(span), "%d rounds of %zu stages, %d frames of %.4f s each", options.rounds,
                 options.stages.size(), options.stageFrames, kDt);
        fprintf(out, "every stage, %s, %dx%d, %s\n\n", game.describeDrivers(), options.width, options.height, span);
        const bool played = playRounds(out, game, options);
        fclose(out);
        game.stop();
        return played ? 0 : 1;
    }
    if (!game.startLevel(options.level.c_str()))
    {
        return 1;
    }
    if (options.minutes > 0)
    {
        MemoryRun run;
        run.rssTitleKb = session.rssTitleKb;
        if (!measureMemory(game, options, &run))
        {
            return 1;
        }
        char span[128];
        snprintf(span, sizeof(span), "%d simulated minutes of %.4f s frames after %d warm-up frames", options.minutes,
                 kDt, options.warmup);
        printRunHeader(out, game, options, span);
        fprintf(out, "\n\n");
        printMemoryRun(out, run);
        fclose(out);
        game.stop();
        int over = 0;
        for (int count : run.updateCpuOver4ms)
        {
            over += count;
        }
        return options.strict && over > 0 ? 3 : 0;
    }
    for (int bots : options.bots)
    {
        Run run;
        if (!measure(game, options, bots, &run))
        {
            return 1;
        }
        session.runs.push_back(run);
    }
    session.rssPeakKb = peakResidentKb();
    computePerEnemyCost(&session);

    char span[128];
    snprintf(span, sizeof(span), "%d frames of %.4f s after %d warm-up frames, per enemy count", options.frames, kDt,
             options.warmup);
    printRunHeader(out, game, options, span);
    fprintf(out, "\ntimes in ms; ratio = mean against the first enemy count\n\n");
    printSession(out, session);
    fclose(out);
    if (!options.out.empty() && !appendSession(options.out.c_str(), session))
    {
        fprintf(stderr, "could not write %s\n", options.out.c_str());
        return 1;
    }
    game.stop();
    for (const Run& run : session.runs)
    {
        if (options.strict && run.updateCpuOver4ms > 0)
        {
            return 3;
        }
    }
    return 0;
}


