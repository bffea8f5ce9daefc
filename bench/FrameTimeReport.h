#ifndef __VORN_BENCH_FRAME_TIME_REPORT_H__
#define __VORN_BENCH_FRAME_TIME_REPORT_H__

#include <cstdio>
#include <map>
#include <string>
#include <vector>

/** Mean, percentiles and max of one part of the frame, in milliseconds. */
struct Summary
{
    double mean = 0.0;
    double median = 0.0;
    double p95 = 0.0;
    double p99 = 0.0;
    double max = 0.0;

    /** Nearest-rank summary of the values (at least one). */
    static Summary of(std::vector<double> values);
};

/**
 * What a frame did besides the usual, for finding what makes an update long: the first frame after
 * the harness knocked an enemy out, a frame where an enemy came in (spawn) or one went (left).
 */
enum FrameKind
{
    kFrameKind_Plain,
    kFrameKind_KnockOut,
    kFrameKind_Spawn,
    kFrameKind_Leave,
    kFrameKind_MAX
};
const char* frameKindName(int kind);

/** The longest update (thread CPU time) of each kind of frame, and how many frames of each. */
struct WorstByKind
{
    double cpuMs[kFrameKind_MAX] = {};
    int frames[kFrameKind_MAX] = {};
    int frameIndex[kFrameKind_MAX] = {};

    void add(int kind, double ms, int index);
};

/** What one enemy count cost over its measured frames. */
struct Run
{
    int bots = 0;
    int inPlay = 0;
    int topUps = 0;
    int knockOuts = 0;
    Summary update;
    Summary updateCpu;
    Summary draw;
    Summary drawCpu;
    Summary frame;
    int updatesOver4ms = 0;
    int updatesOver16ms = 0;
    int updateCpuOver4ms = 0;
    int framesOver16ms = 0;
    double drawCalls = 0.0;
    unsigned int maxDrawCalls = 0;
    double quads = 0.0;
    unsigned int maxQuads = 0;
    long rssStartKb = 0;  ///< resident memory before the first measured frame
    long rssEndKb = 0;    ///< and after the last
    WorstByKind worst;
    /** Median update CPU time over the first count's, per enemy more, in microseconds (0 for the first). */
    double cpuPerEnemyUs = 0.0;
};

/** One run of the harness: every enemy count, and the memory of the whole process. */
struct Session
{
    std::string label;
    long rssTitleKb = 0;  ///< resident at the title screen, before the level
    long rssPeakKb = 0;   ///< the process's high-water mark at the end
    std::vector<Run> runs;
};

/** A long run at one enemy count: resident memory and update hitches per simulated minute. */
struct MemoryRun
{
    int bots = 0;
    long rssTitleKb = 0;
    long rssStartKb = 0;              ///< after the warm-up, before the first minute
    std::vector<long> rssMinuteKb;    ///< at the end of each simulated minute
    std::vector<double> updateCpuMaxMs;  ///< the longest update (thread CPU time) of each minute
    std::vector<int> updateCpuOver4ms;   ///< and how many were over 4 ms
    WorstByKind worst;
    int knockOuts = 0;
    long rssPeakKb = 0;
};

/** The minute-by-minute table, with the trend: a least-squares slope over the minutes and last minus first. */
void printMemoryRun(FILE* out, const MemoryRun& run);

/** Resident memory of this process now (VmRSS) and its peak so far (VmHWM), in KiB; 0 when unknown. */
long residentKb();
long peakResidentKb();

/** Fills each run's cpuPerEnemyUs against the first run. */
void computePerEnemyCost(Session* session);

/** The table of the longest update per kind of frame, one row per enemy count. */
void printWorstByKind(FILE* out, const std::vector<int>& bots, const std::vector<const WorstByKind*>& worst);

/** The human table of one session: times, ratios to the first count, draw calls, hitches, memory. */
void printSession(FILE* out, const Session& session);

/** Appends the session to path as one block of key=value lines (the file may hold many sessions). */
bool appendSession(const char* path, const Session& session);

/**
 * Reads every session saved in both files and prints, per enemy count, the median over each
 * file's sessions of each figure side by side with the ratio second/first: two builds measured
 * in turn (interleaved) on one machine, compared without trusting absolute milliseconds.
 */
bool printComparison(FILE* out, const char* firstPath, const char* secondPath);

#endif // __VORN_BENCH_FRAME_TIME_REPORT_H__
