#include "FrameTimeReport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{
const double kKbPerMb = 1024.0;

/** Nearest-rank percentile of sorted values. */
double percentile(const std::vector<double>& sorted, double p)
{
    size_t rank = (size_t)(p / 100.0 * (double)sorted.size() + 0.999999);
    rank = std::max<size_t>(1, std::min(rank, sorted.size()));
    return sorted[rank - 1];
}

long procStatusKb(const char* field)
{
    FILE* file = fopen("/proc/self/status", "r");
    if (!file)
    {
        return 0;
    }
    char line[256];
    long kb = 0;
    const size_t length = strlen(field);
    while (fgets(line, sizeof(line), file))
    {
        if (strncmp(line, field, length) == 0 && line[length] == ':')
        {
            kb = atol(line + length + 1);
            break;
        }
    }
    fclose(file);
    return kb;
}

double ratio(double value, double base)
{
    return base > 0.0 ? value / base : 0.0;
}

/** The figures a session saves per enemy count, in the order the comparison shows them. */
struct Figure
{
    const char* key;
    const char* shown;
    double (*get)(const Run&);
};

const Figure kFigures[] = {
    { "update_mean", "update mean ms", [](const Run& r) { return r.update.mean; } },
    { "update_median", "update median ms", [](const Run& r) { return r.update.median; } },
    { "update_p99", "update p99 ms", [](const Run& r) { return r.update.p99; } },
    { "update_max", "update max ms", [](const Run& r) { return r.update.max; } },
    { "update_over_4ms", "updates over 4 ms", [](const Run& r) { return (double)r.updatesOver4ms; } },
    { "update_over_16ms", "updates over 16.7 ms", [](const Run& r) { return (double)r.updatesOver16ms; } },
    { "update_cpu_median", "update CPU median ms", [](const Run& r) { return r.updateCpu.median; } },
    { "update_cpu_max", "update CPU max ms", [](const Run& r) { return r.updateCpu.max; } },
    { "update_cpu_over_4ms", "update CPU over 4 ms", [](const Run& r) { return (double)r.updateCpuOver4ms; } },
    { "draw_mean", "draw mean ms", [](const Run& r) { return r.draw.mean; } },
    { "draw_cpu_mean", "draw process CPU ms", [](const Run& r) { return r.drawCpu.mean; } },
    { "draw_cpu_median", "draw process CPU med", [](const Run& r) { return r.drawCpu.median; } },
    { "frame_mean", "frame mean ms", [](const Run& r) { return r.frame.mean; } },
    { "frame_over_16ms", "frames over 16.7 ms", [](const Run& r) { return (double)r.framesOver16ms; } },
    { "draw_calls", "draw calls (mean)", [](const Run& r) { return r.drawCalls; } },
    { "draw_calls_max", "draw calls (max)", [](const Run& r) { return (double)r.maxDrawCalls; } },
    { "quads", "quads (mean)", [](const Run& r) { return r.quads; } },
    { "update_cpu_per_enemy_us", "update CPU/enemy us", [](const Run& r) { return r.cpuPerEnemyUs; } },
    { "rss_start_mb", "resident at start MB", [](const Run& r) { return r.rssStartKb / kKbPerMb; } },
    { "rss_end_mb", "resident at end MB", [](const Run& r) { return r.rssEndKb / kKbPerMb; } },
    { "in_play", "enemies in play", [](const Run& r) { return (double)r.inPlay; } },
    { "knock_outs", "knock-outs", [](const Run& r) { return (double)r.knockOuts; } },
};

/** Per file: session figures ("rss_title_mb") and per-count figures ("50 update_max"), each a list over sessions. */
typedef std::map<std::string, std::vector<double>> SavedFigures;

bool loadFigures(const char* path, SavedFigures* figures, int* sessions, std::vector<int>* counts)
{
    std::ifstream in(path);
    if (!in)
    {
        fprintf(stderr, "cannot read %s\n", path);
        return false;
    }
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string word;
        std::string prefix;
        words >> word;
        if (word == "session")
        {
            ++*sessions;
        }
        else if (word.compare(0, 5, "bots=") == 0)
        {
            const int bots = atoi(word.c_str() + 5);
            if (std::find(counts->begin(), counts->end(), bots) == counts->end())
            {
                counts->push_back(bots);
            }
            prefix = std::to_string(bots) + " ";
        }
        else
        {
            continue;
        }
        while (words >> word)
        {
            const std::string::size_type equals = word.find('=');
            if (equals != std::string::npos && word.compare(0, equals, "label") != 0)
            {
                (*figures)[prefix + word.substr(0, equals)].push_back(atof(word.c_str() + equals + 1));
            }
        }
    }
    return *sessions > 0;
}

double median(std::vector<double> values)
{
    if (values.empty())
    {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

void printComparedRow(FILE* out, const char* bots, const char* shown, const std::vector<double>* first,
                      const std::vector<double>* second)
{
    if (!first || !second)
    {
        return;
    }
    const double a = median(*first);
    const double b = median(*second);
    fprintf(out, "%5s  %-22s %10.3f %10.3f %7.2f\n", bots, shown, a, b, ratio(b, a));
}

const std::vector<double>* find(const SavedFigures& figures, const std::string& key)
{
    SavedFigures::const_iterator it = figures.find(key);
    return it != figures.end() ? &it->second : NULL;
}
} // namespace

Summary Summary::of(std::vector<double> values)
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

const char* frameKindName(int kind)
{
    static const char* const kNames[kFrameKind_MAX] = { "plain", "knock-out", "spawn", "left" };
    return kind >= 0 && kind < kFrameKind_MAX ? kNames[kind] : "?";
}

void WorstByKind::add(int kind, double ms, int index)
{
    ++frames[kind];
    if (ms > cpuMs[kind])
    {
        cpuMs[kind] = ms;
        frameIndex[kind] = index;
    }
}

void computePerEnemyCost(Session* session)
{
    if (session->runs.empty())
    {
        return;
    }
    const Run& first = session->runs[0];
    for (Run& run : session->runs)
    {
        const int more = run.bots - first.bots;
        run.cpuPerEnemyUs = more > 0 ? (run.updateCpu.median - first.updateCpu.median) * 1000.0 / more : 0.0;
    }
}

void printWorstByKind(FILE* out, const std::vector<int>& bots, const std::vector<const WorstByKind*>& worst)
{
    fprintf(out, "longest update (thread CPU ms) per kind of frame, with the frame's number and how many there were\n");
    fprintf(out, "%5s", "bots");
    for (int kind = 0; kind < kFrameKind_MAX; ++kind)
    {
        fprintf(out, " %24s", frameKindName(kind));
    }
    fprintf(out, "\n");
    for (size_t i = 0; i < worst.size(); ++i)
    {
        fprintf(out, "%5d", bots[i]);
        for (int kind = 0; kind < kFrameKind_MAX; ++kind)
        {
            char cell[64];
            snprintf(cell, sizeof(cell), "%.3f @%d (%d)", worst[i]->cpuMs[kind], worst[i]->frameIndex[kind],
                     worst[i]->frames[kind]);
            fprintf(out, " %24s", cell);
        }
        fprintf(out, "\n");
    }
}

long residentKb()
{
    return procStatusKb("VmRSS");
}

long peakResidentKb()
{
    return procStatusKb("VmHWM");
}

void printSession(FILE* out, const Session& session)
{
    const std::vector<Run>& runs = session.runs;
    fprintf(out, "%5s  %-6s %7s %7s %7s %7s %7s %7s\n", "bots", "part", "mean", "median", "p95", "p99", "max", "ratio");
    for (const Run& run : runs)
    {
        const struct
        {
            const char* part;
            const Summary& s;
            const Summary& base;
        } rows[] = { { "update", run.update, runs[0].update },
                     { "upd-cpu", run.updateCpu, runs[0].updateCpu },
                     { "draw", run.draw, runs[0].draw },
                     { "drw-cpu", run.drawCpu, runs[0].drawCpu },
                     { "frame", run.frame, runs[0].frame } };
        for (const auto& row : rows)
        {
            fprintf(out, "%5d  %-6s %7.3f %7.3f %7.3f %7.3f %7.3f %7.2f\n", run.bots, row.part, row.s.mean, row.s.median,
                    row.s.p95, row.s.p99, row.s.max, ratio(row.s.mean, row.base.mean));
        }
    }
    fprintf(out, "\n%5s %8s %11s %9s %9s %9s %8s %10s\n", "bots", "in play", "draw calls", "max", "quads", "max", "top-ups",
            "knock-outs");
    for (const Run& run : runs)
    {
        fprintf(out, "%5d %8d %11.1f %9u %9.1f %9u %8d %10d\n", run.bots, run.inPlay, run.drawCalls, run.maxDrawCalls,
                run.quads, run.maxQuads, run.topUps, run.knockOuts);
    }
    fprintf(out, "\n%5s %11s %12s %13s %12s %12s %12s\n", "bots", "update max", "updates>4ms", "updates>16.7",
            "cpu>4ms", "resident MB", "after run MB");
    for (const Run& run : runs)
    {
        fprintf(out, "%5d %11.3f %12d %13d %12d %12.1f %12.1f\n", run.bots, run.update.max, run.updatesOver4ms,
                run.updatesOver16ms, run.updateCpuOver4ms, run.rssStartKb / kKbPerMb, run.rssEndKb / kKbPerMb);
    }
    fprintf(out, "\nresident memory: %.1f MB at the title, %.1f MB peak\n", session.rssTitleKb / kKbPerMb,
            session.rssPeakKb / kKbPerMb);
    fprintf(out, "\nupdate CPU per enemy (median over the first count's, per enemy more):");
    for (const Run& run : runs)
    {
        if (run.bots != runs[0].bots)
        {
            fprintf(out, " %.2f us at %d", run.cpuPerEnemyUs, run.bots);
        }
    }
    std::vector<int> counts;
    std::vector<const WorstByKind*> worst;
    for (const Run& run : runs)
    {
        counts.push_back(run.bots);
        worst.push_back(&run.worst);
    }
    fprintf(out, "\n\n");
    printWorstByKind(out, counts, worst);
}

bool appendSession(const char* path, const Session& session)
{
    FILE* file = fopen(path, "a");
    if (!file)
    {
        return false;
    }
    fprintf(file, "session label=%s rss_title_mb=%.1f rss_peak_mb=%.1f\n", session.label.c_str(),
            session.rssTitleKb / kKbPerMb, session.rssPeakKb / kKbPerMb);
    for (const Run& run : session.runs)
    {
        fprintf(file, "bots=%d", run.bots);
        for (const Figure& figure : kFigures)
        {
            fprintf(file, " %s=%.4f", figure.key, figure.get(run));
        }
        fprintf(file, "\n");
    }
    return fclose(file) == 0;
}

bool printComparison(FILE* out, const char* firstPath, const char* secondPath)
{
    SavedFigures first, second;
    int firstSessions = 0, secondSessions = 0;
    std::vector<int> counts, unused;
    if (!loadFigures(firstPath, &first, &firstSessions, &counts) ||
        !loadFigures(secondPath, &second, &secondSessions, &unused))
    {
        return false;
    }
    fprintf(out, "first: %s (%d sessions), second: %s (%d sessions)\n", firstPath, firstSessions, secondPath,
            secondSessions);
    fprintf(out, "medians over each file's sessions; ratio = second / first\n\n");
    fprintf(out, "%5s  %-22s %10s %10s %7s\n", "bots", "figure", "first", "second", "ratio");
    for (int bots : counts)
    {
        const std::string prefix = std::to_string(bots) + " ";
        for (const Figure& figure : kFigures)
        {
            const std::string key = prefix + figure.key;
            printComparedRow(out, std::to_string(bots).c_str(), figure.shown, find(first, key), find(second, key));
        }
    }
    printComparedRow(out, "all", "resident at title MB", find(first, "rss_title_mb"), find(second, "rss_title_mb"));
    printComparedRow(out, "all", "resident peak MB", find(first, "rss_peak_mb"), find(second, "rss_peak_mb"));
    return true;
}

void printMemoryRun(FILE* out, const MemoryRun& run)
{
    fprintf(out, " minute  resident MB  change MB  update CPU max ms  CPU over 4 ms\n");
    fprintf(out, "  start   %10.1f\n", run.rssStartKb / kKbPerMb);
    const size_t minutes = run.rssMinuteKb.size();
    for (size_t i = 0; i < minutes; ++i)
    {
        fprintf(out, " %6zu   %10.1f  %+9.1f  %17.3f  %13d\n", i + 1, run.rssMinuteKb[i] / kKbPerMb,
                (run.rssMinuteKb[i] - run.rssMinuteKb[0]) / kKbPerMb, run.updateCpuMaxMs[i], run.updateCpuOver4ms[i]);
    }
    // Least squares over the minutes: resident memory growing with play shows as a slope, a
    // one-off step (a pool that reached its size) as a difference with a flat slope after it.
    double slope = 0.0;
    if (minutes > 1)
    {
        double sumX = 0.0, sumY = 0.0, sumXY = 0.0, sumXX = 0.0;
        for (size_t i = 0; i < minutes; ++i)
        {
            const double x = (double)(i + 1);
            const double y = run.rssMinuteKb[i] / kKbPerMb;
            sumX += x;
            sumY += y;
            sumXY += x * y;
            sumXX += x * x;
        }
        const double n = (double)minutes;
        slope = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
    }
    fprintf(out, "\n");
    printWorstByKind(out, std::vector<int>(1, run.bots), std::vector<const WorstByKind*>(1, &run.worst));
    fprintf(out, "\n%d enemies, %d knock-outs; resident at title %.1f MB, peak %.1f MB\n", run.bots, run.knockOuts,
            run.rssTitleKb / kKbPerMb, run.rssPeakKb / kKbPerMb);
    if (minutes > 0)
    {
        fprintf(out, "trend: %+.3f MB per minute (least squares), last minute - first minute %+.1f MB\n", slope,
                (run.rssMinuteKb[minutes - 1] - run.rssMinuteKb[0]) / kKbPerMb);
    }
}
