// libFuzzer entry: the local online-service store (achievements, stats, leaderboards). Whatever
// the reader keeps of a file, written back and read again, must be the same and read cleanly.
#include "FuzzQuiet.h"
#include "VornSteamStore.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace
{
std::string s_folder;

void writeInput(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) abort();
    if (size > 0 && fwrite(data, 1, size, file) != size) abort();
    if (fclose(file) != 0) abort();
}

bool sameFloats(const std::map<std::string, float>& a, const std::map<std::string, float>& b)
{
    if (a.size() != b.size()) return false;
    for (std::map<std::string, float>::const_iterator it = a.begin(), jt = b.begin(); it != a.end(); ++it, ++jt)
    {
        // Bit for bit, but a NaN only as a NaN: the file never held a NaN's payload.
        if (it->first != jt->first) return false;
        if (std::isnan(it->second) ? !std::isnan(jt->second)
                                   : memcmp(&it->second, &jt->second, sizeof(float)) != 0) return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzQuietLog();
    char path[] = "/tmp/vorn-store-fuzz-XXXXXX";
    if (!mkdtemp(path)) abort();
    s_folder = path;
    atexit([] {
        std::string command = "rm -rf '" + s_folder + "'";
        if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", s_folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = s_folder + "/input";
    const std::string copy = s_folder + "/copy";
    writeInput(input, data, size);
    VornSteamStore store;
    std::string error;
    store.load(input, error);  // a bad file still leaves what it could read

    error.clear();
    if (!store.save(copy, error)) abort();
    VornSteamStore back;
    if (!back.load(copy, error)) abort();
    if (back.achievements != store.achievements || back.intStats != store.intStats
        || back.leaderboards != store.leaderboards || !sameFloats(back.floatStats, store.floatStats))
    {
        abort();
    }
    return 0;
}
