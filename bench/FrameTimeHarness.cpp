// Frame times of the real game: boots it, starts the street level and, for each enemy count,
// steps a fixed number of frames timing the update and the drawing apart. The numbers only mean
// something next to each other: compare the ratios to the empty street, not the milliseconds.
//
//   frametime [--frames M] [--warmup W] [--bots 0,6,20] [--size 1280x720] [--gl]
//             [--capture PREFIX] [--log]
//
// The game's own log is dropped unless --log; --capture saves one frame per enemy count after
// measuring (PREFIX-<bots>.png) to check what was drawn.
// Headless by default (SDL's dummy video driver, software renderer). --gl asks for a real window
// and the accelerated renderer: run it on a display or under xvfb-run.
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

struct Options
{
    int frames = 600;
    int warmup = 120;
    int width = 1280;
    int height = 720;
    bool gl = false;
    bool log = false;
    std::string capture;
    std::vector<int> bots = { 0, 6, 20 };
};

struct Summary
{
    double mean = 0.0;
    double median = 0.0;
    double p95 = 0.0;
    double p99 = 0.0;
    double max = 0.0;
};

struct Run
{
    int bots = 0;
    int inPlay = 0;
    int topUps = 0;
    Summary update;
    Summary draw;
    Summary frame;
    double drawCalls = 0.0;
    unsigned int maxDrawCalls = 0;
    double quads = 0.0;
    unsigned int maxQuads = 0;
};

void usage()
{
    fprintf(stderr, "usage: frametime [--frames M] [--warmup W] [--bots 0,6,20] [--size WxH] [--gl]\n"
                    "                 [--capture PREFIX] [--log]\n");
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
            options->capture = value;
            ++i;
        }
        else if (arg == "--frames" && value)
        {
            options->frames = atoi(value);
            ++i;
        }
        else if (arg == "--warmup" && value)
        {
            options->warmup = atoi(value);
            ++i;
        }
        else if (arg == "--size" && value && sscanf(value, "%dx%d", &options->width, &options->height) == 2)
        {
            ++i;
        }
        else if (arg == "--bots" && value)
        {
            options->bots.clear();
            for (const char* p = value; *p;)
            {
                options->bots.push_back(atoi(p));
                p = strchr(p, ',');
                if (!p)
                {
                    break;
                }
                ++p;
            }
            ++i;
        }
        else
        {
            return false;
        }
    }
    return options->frames > 0 && options->warmup >= 0 && options->width > 0 && options->height > 0 &&
           !options->bots.empty();
}

/** Nearest-rank percentile of sorted values. */
double percentile(const std::vector<double>& sorted, double p)
{
    size_t rank = (size_t)(p / 100.0 * (double)sorted.size() + 0.999999);
    rank = std::max<size_t>(1, std::min(rank, sorted.size()));
    return sorted[rank - 1];
}

Summary summarise(std::vector<double> values)
{
    Summary s;
    std::sort(values.begin(), values.end());
    double total = 0.0;
    for (double v : values)
    {
        total += v;
    }
    s.mean = total / (double)values.size();
    s.median = percentile(values, 50.0);
    s.p95 = percentile(values, 95.0);
    s.p99 = percentile(values, 99.0);
    s.max = values.back();
    return s;
}

bool measure(GameSession& session, const Options& options, int bots, Run* run)
{
    run->bots = bots;
    run->inPlay = session.fillWithEnemies(kEnemy, bots);
    if (run->inPlay < 0)
    {
        return false;
    }
    for (int i = 0; i < options.warmup; ++i)
    {
        session.step(kDt);
        session.topUpPlayer();
    }
    std::vector<double> update, draw, frame;
    unsigned long long calls = 0, quads = 0;
    for (int i = 0; i < options.frames; ++i)
    {
        const FrameCost cost = session.timedStep(kDt);
        update.push_back(cost.updateMs);
        draw.push_back(cost.drawMs);
        frame.push_back(cost.updateMs + cost.drawMs);
        calls += cost.drawCalls;
        quads += cost.quads;
        run->maxDrawCalls = std::max(run->maxDrawCalls, cost.drawCalls);
        run->maxQuads = std::max(run->maxQuads, cost.quads);
        // Outside the timed part: a knocked-out player would end the level mid-run.
        if (session.topUpPlayer())
        {
            ++run->topUps;
        }
    }
    run->update = summarise(update);
    run->draw = summarise(draw);
    run->frame = summarise(frame);
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

void printRow(FILE* out, const char* part, int bots, const Summary& s, const Summary& base)
{
    fprintf(out, "%5d  %-6s %7.3f %7.3f %7.3f %7.3f %7.3f %7.2f\n", bots, part, s.mean, s.median, s.p95, s.p99, s.max,
           base.mean > 0.0 ? s.mean / base.mean : 0.0);
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

    GameSession session;
    if (!session.start(options.width, options.height) || !session.startLevel(kLevel))
    {
        return 1;
    }
    std::vector<Run> runs;
    for (int bots : options.bots)
    {
        Run run;
        if (!measure(session, options, bots, &run))
        {
            return 1;
        }
        runs.push_back(run);
    }

    fprintf(out, "%s, %s, %dx%d, %d frames of %.4f s after %d warm-up frames, per enemy count\n", kLevel,
           session.describeDrivers(), options.width, options.height, options.frames, kDt, options.warmup);
    fprintf(out, "times in ms; ratio = mean against the first enemy count\n\n");
    fprintf(out, "%5s  %-6s %7s %7s %7s %7s %7s %7s\n", "bots", "part", "mean", "median", "p95", "p99", "max", "ratio");
    for (const Run& run : runs)
    {
        printRow(out, "update", run.bots, run.update, runs[0].update);
        printRow(out, "draw", run.bots, run.draw, runs[0].draw);
        printRow(out, "frame", run.bots, run.frame, runs[0].frame);
    }
    fprintf(out, "\n%5s %8s %11s %9s %9s %9s %8s\n", "bots", "in play", "draw calls", "max", "quads", "max", "top-ups");
    for (const Run& run : runs)
    {
        fprintf(out, "%5d %8d %11.1f %9u %9.1f %9u %8d\n", run.bots, run.inPlay, run.drawCalls, run.maxDrawCalls, run.quads,
               run.maxQuads, run.topUps);
    }
    fclose(out);
    session.stop();
    return 0;
}
