// Every track in the music list decodes and runs as long as its recipe says.
#include "VornTestSupport.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

USING_NS_CC;

namespace
{
// Loop length from a recipe's tempo, steps per beat and bars (a bar is four beats).
double recipeSeconds(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    double tempo = 0, steps = 0, bars = 0;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string key;
        double value = 0;
        words >> key >> value;
        if (key == "tempo") tempo = value;
        else if (key == "steps") steps = value;
        else if (key == "bars") bars = value;
    }
    if (tempo <= 0 || steps <= 0)
    {
        return 0;
    }
    const long step = lround(44100.0 * 60.0 / (tempo * steps));
    return step * bars * 4 * steps / 44100.0;
}
} // namespace

TEST(MusicFiles, EveryTrackDecodesAndLastsAsItsRecipeSays)
{
    CCScopedAutoreleasePool pool;
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_AUDIO)) << SDL_GetError();
    Mix_Init(MIX_INIT_MP3);
    ASSERT_EQ(0, Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024)) << Mix_GetError();

    CCDictionary* tracks =
        CCDictionary::createWithContentsOfFile(vorntest::sourcePath("Resources/music/music.plist").c_str());
    ASSERT_NE(nullptr, tracks);
    for (const char* name : {"Menu", "Credits", "GameOver", "StageComplete", "Street", "Boss", "Arena"})
        EXPECT_NE(nullptr, tracks->objectForKey(name)) << name;
    CCArray* levels = CCArray::createWithContentsOfFile(vorntest::sourcePath("Resources/levels.plist").c_str());
    ASSERT_NE(nullptr, levels);
    CCObject* level = NULL;
    CCARRAY_FOREACH(levels, level)
    {
        CCString* track = dynamic_cast<CCString*>(static_cast<CCDictionary*>(level)->objectForKey("Music"));
        ASSERT_NE(nullptr, track);
        EXPECT_NE(nullptr, tracks->objectForKey(track->getCString())) << track->getCString();
    }

    std::set<std::string> files;
    long totalBytes = 0;
    CCDictElement* element = NULL;
    CCDICT_FOREACH(tracks, element)
    {
        CCDictionary* track = dynamic_cast<CCDictionary*>(element->getObject());
        ASSERT_NE(nullptr, track) << element->getStrKey();
        CCString* intro = dynamic_cast<CCString*>(track->objectForKey("Intro"));
        ASSERT_NE(nullptr, intro) << element->getStrKey();
        const std::string file = intro->getCString();
        if (!files.insert(file).second)
        {
            continue;
        }
        const std::string path = vorntest::sourcePath("Resources/music/" + file);
        Mix_Music* music = Mix_LoadMUS(path.c_str());
        ASSERT_NE(nullptr, music) << file << ": " << Mix_GetError();
        const double seconds = Mix_MusicDuration(music);
        const std::string stem = file.substr(0, file.rfind('.'));
        const double expected = recipeSeconds(vorntest::sourcePath("content/music/" + stem + ".txt"));
        EXPECT_GE(seconds, 8.0) << file;
        EXPECT_LE(seconds, 16.0) << file;
        // The encoder may add a frame of padding; never more.
        EXPECT_NEAR(expected, seconds, 0.1) << file;
        Mix_FreeMusic(music);
        totalBytes += (long)vorntest::readFile(path).size();
    }
    EXPECT_LT(totalBytes, 1500L * 1024L);

    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
