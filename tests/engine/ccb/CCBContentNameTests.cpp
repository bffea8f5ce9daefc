// The images, sheets and sub-documents a layout names are content: names outside the resource
// folder are refused before a file is opened.
#include "VornTestSupport.h"

#include "CcbiWriter.h"
#include "LayoutParser.h"
#include "cocos-ext.h"

#include <gtest/gtest.h>

USING_NS_CC;
USING_NS_CC_EXT;

TEST(CCBContentNames, ALayoutNamingAFileOutsideTheResourcesIsRefusedWithALine)
{
    CCScopedAutoreleasePool pool;
    const std::string resources = vorntest::makeTempDir("ccb-names-resources");
    const std::string outside = vorntest::makeTempDir("ccb-names-outside");
    const std::string hero = vorntest::readFile(vorntest::fixturePath("engine/ccb/hero.png"));
    vorntest::writeFile(outside + "/hero.png", hero);
    vorntest::writeFile(resources + "/hero.png", hero);
    CCFileUtils::sharedFileUtils()->setResourceDirectory(resources.c_str());
    const struct
    {
        const char* properties;
        const char* refusedBy;
    } cases[] = {
        { "node CCSprite {\n  displayFrame = \"OUTSIDE/hero.png\"\n}", "CCBReader sprite frame" },
        { "node CCSprite {\n  displayFrame = \"OUTSIDE/sheet.plist\" \"hero.png\"\n}", "CCBReader sprite frame" },
        { "node CCParticleSystemQuad {\n  texture = \"OUTSIDE/hero.png\"\n}", "CCBReader texture" },
        { "node CCNode {\n  node CCBFile {\n    ccbFile = \"OUTSIDE/sub.ccbi\"\n  }\n}", "CCBReader sub-document" },
    };
    for (const auto& c : cases)
    {
        std::string source = c.properties;
        source.replace(source.find("OUTSIDE"), 7, outside);
        CCBDocumentData doc;
        ccbc::ParseError error;
        ASSERT_TRUE(ccbc::parseLayout(source, "outside.layout", doc, error)) << error.text();
        std::vector<unsigned char> bytes = ccbc::CcbiWriter::write(doc);
        CCBReader* reader = new CCBReader(CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary(), NULL, NULL);
        vorntest::LogCapture log;
        reader->readNodeGraphFromData(bytes.data(), bytes.size(), NULL, CCSizeMake(480, 320));
        EXPECT_TRUE(log.contains(std::string(c.refusedBy) + " - '" + outside)) << source;
        EXPECT_TRUE(log.contains("is not a file of the game's resources")) << source;
        reader->release();
    }
    // The same image named inside the resources still loads.
    CCBDocumentData doc;
    ccbc::ParseError error;
    ASSERT_TRUE(ccbc::parseLayout("node CCSprite {\n  displayFrame = \"hero.png\"\n}", "inside.layout", doc, error));
    std::vector<unsigned char> bytes = ccbc::CcbiWriter::write(doc);
    CCBReader* reader = new CCBReader(CCNodeLoaderLibrary::newDefaultCCNodeLoaderLibrary(), NULL, NULL);
    CCSprite* sprite = dynamic_cast<CCSprite*>(reader->readNodeGraphFromData(bytes.data(), bytes.size(), NULL, CCSizeMake(480, 320)));
    ASSERT_TRUE(sprite != NULL);
    EXPECT_GT(sprite->getContentSize().width, 0);
    reader->release();
}
