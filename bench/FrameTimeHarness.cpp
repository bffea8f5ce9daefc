// Frame times of the real game: boots it, starts the street level and, for each enemy count,
// steps a fixed number of frames timing the update and the drawing apart. The numbers only mean
// something next to each other: compare the ratios to the empty street, or two builds with
// --out and --compare, not the milliseconds.
//
//   frametime [--frames M] [--warmup W] [--bots 0,20,50] [--churn N] [--size 1280x720] [--gl]
//             [--capture PREFIX] [--log] [--out FILE] [--label NAME]
//   frametime --compare FIRST SECOND
//   frametime --minutes N [--bots 50] [--churn N] [--size WxH] [--gl]
//
// The game's own log is dropped unless --log; --capture saves one frame per enemy count after
// measuring (PREFIX-<bots>.png) to check what was drawn.
// Headless by default (SDL's dummy video driver, software renderer). --gl asks for a real window
// and the accelerated renderer: run it on a display or under xvfb-run.
// --minutes runs the last enemy count of --bots for that many simulated minutes (stepped frames,
// not wall time) and prints resident memory at the end of each minute, to show whether it grows.
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
const char* const kLevel = "level-1-street";
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
                    "                 [--capture PREFIX] [--log] [--out FILE] [--label NAME]\n"
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
    return options->frames > 0 && options->minutes >= 0 && options->warmup >= 0 && options->churn >= 0 && options->width > 0 &&
           options->height > 0 && !options->bots.empty() && options->label.find_first_of(" \t\n=") == std::string::npos;
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
    fprintf(out, "%s, %s, %dx%d, %s", kLevel, game.describeDrivers(), options.width, options.height, span);
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
    std::vector<double> update, updateCpu, draw, frame;
    unsigned long long calls = 0, quads = 0;
    run->rssStartKb = residentKb();
    for (int i = 0; i < options.frames; ++i)
    {
        const FrameCost cost = session.timedStep(kDt);
        update.push_back(cost.updateMs);
        updateCpu.push_back(cost.updateCpuMs);
        draw.push_back(cost.drawMs);
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
        }
    }
    run->rssEndKb = residentKb();
    run->update = Summary::of(update);
    run->updateCpu = Summary::of(updateCpu);
    run->draw = Summary::of(draw);
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
    for (int minute = 0; minute < options.minutes; ++minute)
    {
        double cpuMax = 0.0;
        int cpuOver4ms = 0;
        for (int i = 0; i < framesPerMinute; ++i)
        {
            const FrameCost cost = session.timedStep(kDt);
            cpuMax = std::max(cpuMax, cost.updateCpuMs);
            cpuOver4ms += cost.updateCpuMs > kHitchMs ? 1 : 0;
            session.topUpPlayer();
            if (run->bots > 0 && options.churn > 0 && i % options.churn == options.churn - 1 &&
                session.knockOutAndReplace(kEnemy))
            {
                ++run->knockOuts;
            }
        }
        run->rssMinuteKb.push_back(residentKb());
        run->updateCpuMaxMs.push_back(cpuMax);
        run->updateCpuOver4ms.push_back(cpuOver4ms);
    }
    run->rssPeakKb = peakResidentKb();
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
    if (!game.startLevel(kLevel))
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
        return 0;
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
    return 0;
}
