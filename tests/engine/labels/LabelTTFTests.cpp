#include "NodeTestSupport.h"

USING_NS_CC;

TEST_F(EngineTest, TTFLabelRendersIntoItsBox)
{
    CCLabelTTF* label = CCLabelTTF::create("Hello", "Arial", 16);
    ASSERT_TRUE(label != NULL);
    EXPECT_GT(label->getContentSize().width, 20.0f);
    EXPECT_GT(label->getContentSize().height, 10.0f);
    ASSERT_TRUE(label->getTexture() != NULL);

    const float oneLine = label->getContentSize().height;
    label->setDimensions(CCSizeMake(40, 0));
    label->setString("Hello there world");
    EXPECT_FLOAT_EQ(40.0f, label->getContentSize().width);
    EXPECT_GT(label->getContentSize().height, oneLine * 2);
    label->setDimensions(CCSizeMake(200, 50));
    EXPECT_FLOAT_EQ(200.0f, label->getContentSize().width);
    EXPECT_FLOAT_EQ(50.0f, label->getContentSize().height);

    EXPECT_NE(std::string::npos, CCLabelTTF::fontFileForName("Helvetica-Bold").find("DejaVuSans-Bold.ttf"));
    EXPECT_NE(std::string::npos, CCLabelTTF::fontFileForName("missing.ttf").find("DejaVuSans.ttf"));
    label->setString("");
    EXPECT_STREQ("", label->getString());
    CCLabelTTF::purgeFontCache();
}
