// Running the tools again on the sources gives byte-identical resources.
#include "ContentTestSupport.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <utility>
#include <vector>

using namespace vorntest;

namespace
{
int run(const std::string& command)
{
    return system((command + " 2>&1").c_str());
}

void expectSameFiles(const std::string& dir, const std::vector<std::string>& names)
{
    for (const std::string& n : names)
    {
        std::string made = readFile(dir + "/" + n);
        EXPECT_FALSE(made.empty()) << n;
        EXPECT_TRUE(made == readFile(resourcePath(n))) << n << " differs from the committed file";
    }
}
} // namespace

TEST(Regenerate, FontsFightersAndImagesComeOutIdentical)
{
    const std::string dir = makeTempDir("regenerate");
    const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";
    ASSERT_EQ(0, run(std::string(VORN_FONTMAKER) + " " + dejavu + "DejaVuSans-Bold.ttf 10 crisp " + dir + " unibody8bold"));
    ASSERT_EQ(0, run(std::string(VORN_FONTMAKER) + " " + dejavu + "DejaVuSans-Bold.ttf 32 smooth " + dir + " title-font"));
    for (const FighterFiles& f : kFighters)
        ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " fighter " + sourcePath("content/fighters/") + f.descriptor + ".txt " + dir));
    ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " fighter " + sourcePath("content/fighters/boss.txt ") + dir));
    ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " images " + sourcePath("content/images/images.txt") + " " + dir));

    expectSameFiles(dir, {"unibody8bold.fnt", "unibody8bold.png", "title-font.fnt", "title-font.png", "jors.plist",
                          "jors-sprites.plist", "jors-sprites.png", "street-thug.plist", "thug-sprites.plist",
                          "thug-sprites.png", "boss.plist", "boss_thug-sprites.plist",
                          "boss_thug-sprites.png", "joystick.png", "joystick-nub.png", "shadow.png", "particle.png"});
}

namespace
{
/** One vorn_stage call of content/stages/CMakeLists.txt: its recipe, the pieces sheet and the object sheets. */
struct StageRule
{
    std::string recipe;
    std::string sheet;
    std::vector<std::string> pieces;
    std::vector<std::pair<std::string, std::vector<std::string>>> objectSheets;
};

std::vector<StageRule> readStageRules()
{
    std::vector<StageRule> rules;
    const std::string text = readFile(sourcePath("content/stages/CMakeLists.txt"));
    const std::string call = "\nvorn_stage(";
    for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1))
    {
        size_t open = at + call.size();
        size_t close = text.find(')', open);
        std::istringstream words(text.substr(open, close - open));
        StageRule rule;
        words >> rule.recipe >> rule.sheet;
        std::string word, mode;
        while (words >> word)
        {
            if (word == "PIECES" || word == "ANIMATED")
                mode = word;
            else if (mode == "PIECES")
                rule.pieces.push_back(word);
            else if (mode == "ANIMATED")
            {
                rule.objectSheets.push_back({word, {}});
                mode = "FRAMES";
            }
            else
                rule.objectSheets.back().second.push_back(word);
        }
        rules.push_back(rule);
    }
    return rules;
}
} // namespace

TEST(Regenerate, StageArtAndLayoutsComeOutIdentical)
{
    const std::vector<StageRule> stages = readStageRules();
    ASSERT_GE(stages.size(), 10u);
    for (const StageRule& st : stages)
    {
        SCOPED_TRACE(st.recipe);
        ASSERT_FALSE(st.objectSheets.empty());
        const std::string dir = makeTempDir(st.recipe);
        ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " images " + sourcePath("content/stages/") + st.recipe + ".txt " + dir));
        std::string pieces;
        for (const std::string& p : st.pieces)
            pieces += " " + dir + "/" + p + ".png";
        ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " pack " + st.sheet + " " + dir + pieces));
        std::vector<std::string> made = {st.sheet + ".plist", st.sheet + ".png", st.recipe + ".ccbi"};
        for (const auto& objects : st.objectSheets)
        {
            std::string frames;
            for (const std::string& f : objects.second)
                frames += " " + dir + "/" + f + ".png";
            ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " pack " + objects.first + " " + dir + frames));
            made.push_back(objects.first + ".plist");
            made.push_back(objects.first + ".png");
        }
        ASSERT_EQ(0, run(std::string(VORN_CCBC) + " " + sourcePath("content/layouts/") + st.recipe + ".layout -o " + dir + "/" + st.recipe + ".ccbi"));
        expectSameFiles(dir, made);
    }
}

TEST(Regenerate, SoundEffectsComeOutIdentical)
{
    const std::string dir = makeTempDir("regenerate-sfx");
    std::vector<std::string> names;
    for (const char* s : {"menu-select", "grumvald", "hit", "swing", "jump", "throw", "die"})
    {
        ASSERT_EQ(0, run(std::string(VORN_SOUNDMAKER) + " " + sourcePath("content/sfx/") + s + ".sfx " + dir + "/" + s + ".mp3"));
        names.push_back(s + std::string(".mp3"));
    }
    for (const std::string& n : names)
        EXPECT_TRUE(readFile(dir + "/" + n) == readFile(resourcePath("sfx/" + n))) << n;
}

TEST(Regenerate, MusicComesOutIdentical)
{
    const std::string dir = makeTempDir("regenerate-music");
    for (const char* m : {"menu", "credits", "results", "street", "boss", "arena"})
    {
        ASSERT_EQ(0, run(std::string(VORN_MUSICMAKER) + " " + sourcePath("content/music/") + m + ".txt " + dir + "/" + m + ".mp3"));
        EXPECT_TRUE(readFile(dir + "/" + m + ".mp3") == readFile(resourcePath(std::string("music/") + m + ".mp3"))) << m;
    }
}

TEST(Regenerate, ToolsRefuseBadInputWithAnError)
{
    const std::string dir = makeTempDir("regenerate-bad");
    writeFile(dir + "/bad.txt", "fighter bad\nsheet bad\nprefix bad_\n");
    EXPECT_NE(0, run(std::string(VORN_SPRITEMAKER) + " fighter " + dir + "/bad.txt " + dir)); // sheet named like its fighter
    writeFile(dir + "/pose.txt", "fighter p\nsheet p-sprites\nprefix p_\naction Idle\n  Duration = 1\n  frame nowhere\n");
    EXPECT_NE(0, run(std::string(VORN_SPRITEMAKER) + " fighter " + dir + "/pose.txt " + dir)); // unknown pose
    // A derived fighter's frames must carry its SpritePrefix, or the game never finds them.
    writeFile(dir + "/derived.txt", "fighter d\nsheet d-sprites\nprefix d_\nactor\n  BaseDesc = jors\n  SpritePrefix = x_\n");
    EXPECT_NE(0, run(std::string(VORN_SPRITEMAKER) + " fighter " + dir + "/derived.txt " + dir));
    EXPECT_NE(0, run(std::string(VORN_FONTMAKER) + " /nonexistent.ttf 10 crisp " + dir + " x"));
    EXPECT_NE(0, run(std::string(VORN_SOUNDMAKER) + " " + dir + "/missing.sfx " + dir + "/x.mp3"));
    writeFile(dir + "/odd.txt", "tempo 120\nsteps 4\nbars 1\nvoice v sine\nnotes v C4 - .\n");
    EXPECT_NE(0, run(std::string(VORN_MUSICMAKER) + " " + dir + "/odd.txt " + dir + "/x.mp3")); // 3 steps in 16
    writeFile(dir + "/note.txt", "tempo 120\nsteps 4\nbars 1\nvoice v sine\nnotes v H4\n");
    EXPECT_NE(0, run(std::string(VORN_MUSICMAKER) + " " + dir + "/note.txt " + dir + "/x.mp3"));
}

TEST(Regenerate, LoosePngsPackIntoASheetTheEngineReads)
{
    cocos2d::CCScopedAutoreleasePool pool;
    const std::string dir = makeTempDir("pack");
    ASSERT_EQ(0, run(std::string(VORN_SPRITEMAKER) + " pack ui-test " + dir + " " + resourcePath("shadow.png") + " " +
                     resourcePath("joystick-nub.png")));
    cocos2d::CCDictionary* sheet = cocos2d::CCDictionary::createWithContentsOfFile((dir + "/ui-test.plist").c_str());
    ASSERT_TRUE(sheet);
    cocos2d::CCDictionary* frames = dynamic_cast<cocos2d::CCDictionary*>(sheet->objectForKey("frames"));
    ASSERT_TRUE(frames);
    cocos2d::CCDictionary* shadow = dynamic_cast<cocos2d::CCDictionary*>(frames->objectForKey("shadow.png"));
    ASSERT_TRUE(shadow);
    EXPECT_EQ("{32,10}", stringFor(shadow, "sourceSize"));
    EXPECT_TRUE(frames->objectForKey("joystick-nub.png"));
    EXPECT_EQ("ui-test.png", stringFor(dynamic_cast<cocos2d::CCDictionary*>(sheet->objectForKey("metadata")), "textureFileName"));
}
