#include "NodeTestSupport.h"

#include <string>

USING_NS_CC;

namespace
{
std::string tinyFont()
{
    return vorntest::fixturePath("engine/labels/tiny.fnt");
}

CCSprite* glyphAt(CCLabelBMFont* label, int index)
{
    return dynamic_cast<CCSprite*>(label->getChildByTag(index));
}

// Records the calls that reach the two-argument setString, as a subclass that relays them would.
class RecordingLabel : public CCLabelBMFont
{
public:
    std::vector<std::pair<std::string, bool> > calls;
    virtual void setString(const char* text, bool fromUpdate)
    {
        calls.push_back(std::make_pair(std::string(text), fromUpdate));
        CCLabelBMFont::setString(text, fromUpdate);
    }
    using CCLabelBMFont::setString;
    // A subclass may set the width without a layout.
    void setWidthQuietly(float w) { m_fWidth = w; }
};
} // namespace

class LabelBMFontTest : public EngineTest
{
protected:
    virtual void TearDown()
    {
        CCLabelBMFont::purgeCachedData();
        EngineTest::TearDown();
    }
};

TEST_F(LabelBMFontTest, ParsesCommonPageCharsAndKerning)
{
    CCBMFontConfiguration* config = FNTConfigLoadFile(tinyFont().c_str());
    ASSERT_TRUE(config != NULL);
    EXPECT_EQ(10, config->m_nCommonHeight);
    EXPECT_EQ(8, config->m_nBase);
    EXPECT_EQ(5u, config->getGlyphCount());
    EXPECT_EQ(-2, config->kerningAmount('A', 'V'));
    EXPECT_EQ(0, config->kerningAmount('V', 'B'));
    const ccBMFontDef* b = config->glyph('B');
    ASSERT_TRUE(b != NULL);
    EXPECT_EQ(6, b->rect.origin.x);
    EXPECT_EQ(1, b->xOffset);
    EXPECT_EQ(6, b->xAdvance);
    EXPECT_EQ(vorntest::fixturePath("engine/labels/tiny.png"), config->getAtlasName());
    EXPECT_EQ(config, FNTConfigLoadFile(tinyFont().c_str()));

    // The font the content tool makes loads too.
    CCBMFontConfiguration* real = FNTConfigLoadFile(vorntest::sourcePath("Resources/unibody8bold.fnt").c_str());
    ASSERT_TRUE(real != NULL);
    EXPECT_EQ(13, real->m_nCommonHeight);
    EXPECT_TRUE(real->glyph('A') != NULL);
}

TEST_F(LabelBMFontTest, MissingOrBrokenFontFailsWithALogLine)
{
    vorntest::LogCapture log;
    EXPECT_TRUE(CCLabelBMFont::create("A", "no-such-font.fnt") == NULL);
    EXPECT_TRUE(log.contains("no-such-font.fnt"));

    const std::string dir = vorntest::makeTempDir("fonts");
    vorntest::writeFile(dir + "/nocommon.fnt", "info face=\"x\"\nchar id=65 x=0 y=0 width=1 height=1\n");
    EXPECT_TRUE(CCLabelBMFont::create("A", (dir + "/nocommon.fnt").c_str()) == NULL);
    vorntest::writeFile(dir + "/nopage.fnt", "common lineHeight=10\npage id=0 file=\"absent.png\"\n");
    EXPECT_TRUE(CCLabelBMFont::create("A", (dir + "/nopage.fnt").c_str()) == NULL);
    // A malformed char line is skipped, the rest of the font stays usable.
    CCBMFontConfiguration config;
    EXPECT_TRUE(config.initWithString("common lineHeight=10\npage id=0 file=\"tiny.png\"\nchar id=65 x=zz\n"
                                      "char id=66 x=1 y=2 width=3 height=4 xadvance=5\nkerning first=1\n",
                                      tinyFont()));
    EXPECT_TRUE(config.glyph('A') == NULL);
    EXPECT_TRUE(config.glyph('B') != NULL);
}

// The game's font cut short, at a line's end or in the middle of its last glyph: it still loads
// what it has, and an error names the file.
TEST_F(LabelBMFontTest, ATruncatedFontIsLoggedByName)
{
    const std::string whole = vorntest::readFile(vorntest::sourcePath("Resources/unibody8bold.fnt"));
    const size_t lastLine = whole.rfind("\nchar ");
    ASSERT_NE(std::string::npos, lastLine);
    const size_t cuts[] = { lastLine + 1, lastLine + 12 };
    for (size_t cut : cuts)
    {
        SCOPED_TRACE(cut);
        CCBMFontConfiguration config;
        vorntest::LogCapture log;
        EXPECT_TRUE(config.initWithString(whole.substr(0, cut), "/fonts/unibody8bold.fnt"));
        EXPECT_TRUE(log.contains("ERROR: CCBMFontConfiguration - '/fonts/unibody8bold.fnt' holds 191 of its 192 glyphs"));
    }
    CCBMFontConfiguration config;
    vorntest::LogCapture log;
    EXPECT_TRUE(config.initWithString(whole, "/fonts/unibody8bold.fnt"));
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(LabelBMFontTest, GlyphPositionsFollowOffsetsAndKerning)
{
    CCLabelBMFont* label = CCLabelBMFont::create("AVB", tinyFont().c_str());
    ASSERT_TRUE(label != NULL);
    // A at 0; V kerned 2 closer; B kerned by nothing and offset 1 to the right.
    EXPECT_FLOAT_EQ(2.5f, glyphAt(label, 0)->getPositionX());
    EXPECT_FLOAT_EQ(6.5f, glyphAt(label, 1)->getPositionX());
    EXPECT_FLOAT_EQ(13.5f, glyphAt(label, 2)->getPositionX());
    EXPECT_FLOAT_EQ(5.0f, glyphAt(label, 0)->getPositionY());   // top 10, yoffset 1, height 8
    EXPECT_FLOAT_EQ(16.0f, label->getContentSize().width);
    EXPECT_FLOAT_EQ(10.0f, label->getContentSize().height);
    EXPECT_EQ(CCRectMake(12, 0, 5, 8).origin.x, glyphAt(label, 1)->getTextureRect().origin.x);
    EXPECT_FLOAT_EQ(10.0f, label->getLineHeight());
}

TEST_F(LabelBMFontTest, WrapsAtTheScaledWidthByTurningSpacesIntoNewlines)
{
    CCLabelBMFont* label = CCLabelBMFont::create("AB AB AB", tinyFont().c_str(), 20);
    ASSERT_TRUE(label != NULL);
    EXPECT_EQ("AB\nAB\nAB", label->getDisplayStringUTF8());
    EXPECT_EQ(std::string("AB AB AB"), label->getString());
    EXPECT_FLOAT_EQ(30.0f, label->getContentSize().height);
    EXPECT_FLOAT_EQ(5.0f + 20.0f, glyphAt(label, 0)->getPositionY());

    // Half the scale fits twice the text in the same width; the same scale again relays out too.
    label->setScale(0.5f);
    EXPECT_EQ("AB AB\nAB", label->getDisplayStringUTF8());
    label->setWidth(100);
    EXPECT_EQ("AB AB AB", label->getDisplayStringUTF8());
    label->setWidth(5);
    // A word wider than the width keeps its own line, never split.
    EXPECT_EQ("AB\nAB\nAB", label->getDisplayStringUTF8());
    EXPECT_EQ(label->getDisplayString().size(), std::string("AB AB AB").size());
    // Explicit newlines restart the line.
    label->setWidth(kCCLabelAutomaticWidth);
    label->setString("A\nB");
    EXPECT_EQ(2u, label->getChildrenCount());
    EXPECT_FLOAT_EQ(20.0f, label->getContentSize().height);
}

TEST_F(LabelBMFontTest, AlignmentShiftsShorterLines)
{
    struct Case
    {
        CCTextAlignment alignment;
        float secondLineX;
    } cases[] = { { kCCTextAlignmentLeft, 2.5f }, { kCCTextAlignmentCenter, 5.5f }, { kCCTextAlignmentRight, 8.5f } };
    for (const Case& c : cases)
    {
        CCLabelBMFont* label = CCLabelBMFont::create("AA\nA", tinyFont().c_str(), kCCLabelAutomaticWidth, c.alignment);
        ASSERT_TRUE(label != NULL);
        EXPECT_FLOAT_EQ(2.5f, glyphAt(label, 0)->getPositionX()) << c.alignment;
        EXPECT_FLOAT_EQ(c.secondLineX, glyphAt(label, 3)->getPositionX()) << c.alignment;
    }
}

TEST_F(LabelBMFontTest, FromUpdateSetsOnlyTheCharacters)
{
    RecordingLabel* label = new RecordingLabel();
    ASSERT_TRUE(label->initWithString("AB AB AB", tinyFont().c_str(), 20));
    label->autorelease();
    // The layout stores its result through the virtual with true.
    ASSERT_EQ(2u, label->calls.size());
    EXPECT_EQ(std::make_pair(std::string("AB AB AB"), false), label->calls[0]);
    EXPECT_EQ(std::make_pair(std::string("AB\nAB\nAB"), true), label->calls[1]);

    label->calls.clear();
    label->setString("BA BA", true);
    EXPECT_EQ(std::string("AB AB AB"), label->getString());
    EXPECT_EQ("BA BA", label->getDisplayStringUTF8());
    EXPECT_EQ(1u, label->calls.size());
    // A relayout (here a scale) wraps what is shown now.
    label->setScale(label->getScale());
    EXPECT_EQ("BA\nBA", label->getDisplayStringUTF8());
    EXPECT_EQ(std::string("AB AB AB"), label->getString());

    // The width field is reachable without a relayout.
    label->setWidthQuietly(100);
    EXPECT_EQ("BA\nBA", label->getDisplayStringUTF8());
    label->setString("AB AB");
    EXPECT_EQ("AB AB", label->getDisplayStringUTF8());
}

TEST_F(LabelBMFontTest, MissingGlyphIsSkippedAndUtf8IsOneGlyphPerCodePoint)
{
    vorntest::LogCapture log;
    CCLabelBMFont* label = CCLabelBMFont::create("AxB", tinyFont().c_str());
    ASSERT_TRUE(label != NULL);
    EXPECT_TRUE(log.contains("not in"));
    EXPECT_TRUE(glyphAt(label, 1) == NULL);
    EXPECT_FLOAT_EQ(9.5f, glyphAt(label, 2)->getPositionX());
    EXPECT_EQ(3u, label->getDisplayString().size());

    label->setString("A\xC3\xA9" "A");   // A é A
    EXPECT_EQ(3u, label->getDisplayString().size());
    ASSERT_TRUE(glyphAt(label, 1) != NULL);
    EXPECT_FLOAT_EQ(18.0f, glyphAt(label, 1)->getTextureRect().origin.x);
    // Broken UTF-8 never reads past the text.
    label->setString("A\xE2\x82");
    EXPECT_EQ(3u, label->getDisplayString().size());
    label->setString("");
    EXPECT_EQ(0u, label->getChildrenCount());
    EXPECT_FLOAT_EQ(0.0f, label->getContentSize().width);
}

TEST_F(LabelBMFontTest, ColourOpacityAndBlendReachTheGlyphs)
{
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeOpacityEnabled(true);
    CCLabelBMFont* label = CCLabelBMFont::create("AB", tinyFont().c_str());
    parent->addChild(label);
    label->setColor(ccc3(255, 0, 0));
    parent->setOpacity(128);
    EXPECT_EQ(255, glyphAt(label, 1)->getDisplayedColor().r);
    EXPECT_EQ(0, glyphAt(label, 1)->getDisplayedColor().g);
    EXPECT_EQ(128, glyphAt(label, 1)->getDisplayedOpacity());
    ccBlendFunc additive = { GL_SRC_ALPHA, GL_ONE };
    label->setBlendFunc(additive);
    EXPECT_EQ((GLenum)GL_ONE, glyphAt(label, 0)->getBlendFunc().dst);
    // A new text keeps the colour.
    label->setString("BA");
    EXPECT_EQ(0, glyphAt(label, 0)->getDisplayedColor().g);
    // The plain label takes a font later, as a loader fills it in.
    CCLabelBMFont* plain = CCLabelBMFont::create();
    plain->setString("AB");
    EXPECT_EQ(0u, plain->getChildrenCount());
    plain->setFntFile(tinyFont().c_str());
    EXPECT_EQ(2u, plain->getChildrenCount());
    EXPECT_FLOAT_EQ(12.0f, plain->getContentSize().width);
    plain->setScale(2.0f);
    EXPECT_FLOAT_EQ(24.0f, plain->boundingBox().size.width);
}
