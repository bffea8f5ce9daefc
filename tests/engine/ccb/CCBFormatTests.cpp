#include "VornTestSupport.h"

#include "CcbiWriter.h"
#include "LayoutParser.h"
#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <cstdlib>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
CCBDocumentData parseOrFail(const std::string& source, const std::string& name = "test.layout")
{
    CCBDocumentData doc;
    ccbc::ParseError error;
    EXPECT_TRUE(ccbc::parseLayout(source, name, doc, error)) << error.text();
    return doc;
}

const CCBPropertyData* findProperty(const CCBNodeData& node, const std::string& name)
{
    for (size_t i = 0; i < node.properties.size(); ++i)
    {
        if (node.properties[i].name == name) return &node.properties[i];
    }
    return NULL;
}

std::vector<unsigned char> bytesOf(const std::string& s)
{
    return std::vector<unsigned char>(s.begin(), s.end());
}
} // namespace

TEST(CCBFormat, EveryPropertyTypeSurvivesCompilerAndDecoder)
{
    std::string source = vorntest::readFile(vorntest::fixturePath("engine/ccb/every-type.layout"));
    CCBDocumentData doc = parseOrFail(source, "every-type.layout");

    // Every property type appears in the fixture.
    std::vector<bool> seen(kCCBPropType_MAX, false);
    std::vector<const CCBNodeData*> stack(1, &doc.root);
    while (!stack.empty())
    {
        const CCBNodeData* node = stack.back();
        stack.pop_back();
        for (size_t i = 0; i < node->properties.size(); ++i) seen[node->properties[i].value.type] = true;
        for (size_t i = 0; i < node->children.size(); ++i) stack.push_back(&node->children[i]);
    }
    for (int t = 0; t < kCCBPropType_MAX; ++t) EXPECT_TRUE(seen[t]) << "type " << t << " unused";

    std::vector<unsigned char> bytes = ccbc::CcbiWriter::write(doc);
    CCBDocumentData decoded;
    ASSERT_TRUE(CCBDocumentDecoder::decode(bytes.data(), bytes.size(), "every-type", decoded));
    EXPECT_TRUE(decoded == doc);

    // The values mean what the text says.
    ASSERT_EQ(3u, decoded.sequences.size());
    EXPECT_EQ("open", decoded.sequences[0].name);
    EXPECT_EQ(1, decoded.sequences[0].chainedSequenceId);
    EXPECT_EQ(-1, decoded.sequences[1].chainedSequenceId);
    EXPECT_EQ(1, decoded.autoPlaySequenceId);
    EXPECT_FLOAT_EQ(1.25f, decoded.sequences[2].duration);
    ASSERT_EQ(1u, decoded.sequences[0].callbacks.size());
    EXPECT_EQ("onOpened", decoded.sequences[0].callbacks[0].name);
    EXPECT_EQ(kCCBTargetTypeOwner, decoded.sequences[0].callbacks[0].targetType);
    ASSERT_EQ(1u, decoded.sequences[0].sounds.size());
    EXPECT_FLOAT_EQ(-0.25f, decoded.sequences[0].sounds[0].pan);

    EXPECT_EQ(kCCBTargetTypeOwner, decoded.root.memberAssignType);
    EXPECT_EQ("rootLayer", decoded.root.memberAssignName);
    EXPECT_EQ(kCCBPlatformIOS, findProperty(decoded.root, "position")->platform);

    const CCBNodeData& sprite = decoded.root.children[0];
    EXPECT_EQ("CCSprite", sprite.className);
    EXPECT_EQ(kCCBTargetTypeDocumentRoot, sprite.memberAssignType);
    const CCBValueData& pos = findProperty(sprite, "position")->value;
    EXPECT_EQ(kCCBPositionTypeRelativeTopLeft, pos.ints[0]);
    EXPECT_FLOAT_EQ(10.5f, pos.floats[0]);
    EXPECT_FLOAT_EQ(-20.f, pos.floats[1]);
    const CCBValueData& scale = findProperty(sprite, "scale")->value;
    EXPECT_EQ(kCCBScaleTypeMultiplyResolution, scale.ints[0]);
    EXPECT_FLOAT_EQ(2.f, scale.floats[1]);
    const CCBValueData& color = findProperty(sprite, "color")->value;
    EXPECT_EQ(255, color.bytes[0]);
    EXPECT_EQ(128, color.bytes[1]);
    EXPECT_EQ(0x302, findProperty(sprite, "blendFunc")->value.ints[0]);
    EXPECT_EQ(-7, findProperty(sprite, "tag")->value.ints[0]);

    ASSERT_EQ(2u, sprite.sequences.size());
    const CCBAnimatedPropertyData& move = sprite.sequences[0].properties[0];
    EXPECT_EQ("position", move.name);
    EXPECT_EQ(kCCBPropTypePosition, move.type);
    ASSERT_EQ(2u, move.keyframes.size());
    EXPECT_EQ(kCCBKeyframeEasingCubicOut, move.keyframes[0].easing);
    EXPECT_FLOAT_EQ(3.f, move.keyframes[0].easingOpt);
    EXPECT_FLOAT_EQ(-50.f, move.keyframes[0].value.floats[1]);

    const CCBNodeData& menu = decoded.root.children[4];
    EXPECT_TRUE(findProperty(menu, "upSelector")->extra);
    const CCBValueData& block = findProperty(menu.children[0], "block")->value;
    EXPECT_EQ("onBack", block.strings[0]);
    EXPECT_EQ(kCCBTargetTypeDocumentRoot, block.ints[0]);
    const CCBValueData& frame = findProperty(menu.children[0], "normalSpriteFrame")->value;
    EXPECT_EQ("", frame.strings[0]);
    EXPECT_EQ("button.png", frame.strings[1]);
}

TEST(CCBFormat, IntegersUseEliasGammaCodesFromTheLowBit)
{
    // Version 5 is stored as the code 6 (binary 110): two zero bits, then 1, 1, 0.
    CCBDocumentData doc = parseOrFail("node CCNode { }");
    std::vector<unsigned char> bytes = ccbc::CcbiWriter::write(doc);
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(std::string("ibcc"), std::string(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ(0x0C, bytes[4]);

    // Signed and unsigned values across byte boundaries, decoded from hand-made bytes.
    struct Case { std::vector<unsigned char> bytes; bool isSigned; int value; };
    const Case cases[] = {
        { { 0x01 }, false, 0 },
        { { 0x01 }, true, 0 },
        { { 0x02 }, true, -1 },  // code 2: 0, 1, 0
        { { 0x06 }, true, 1 },  // code 3: 0, 1, 1
        { { 0x00, 0x01, 0x00 }, false, 255 },  // code 256: eight zeros, a one, eight zeros
    };
    for (const Case& c : cases)
    {
        CCBDataReader reader(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(c.value, reader.readInt(c.isSigned));
        EXPECT_FALSE(reader.hasFailed()) << reader.getFailureReason();
        EXPECT_EQ(c.bytes.size(), reader.getPosition());
    }
}

TEST(CCBFormat, CompilerErrorsNameTheFileAndLine)
{
    struct Case { const char* source; int line; const char* message; };
    const Case cases[] = {
        { "node CCNode {\n  mystery = 3\n}", 2, "unknown property 'mystery'" },
        { "node CCNode {\n  tag = 3.5\n}", 2, "not an integer" },
        { "node CCNode {\n  opacity = 300\n}", 2, "from 0 to 255" },
        { "node CCNode {\n\n  position = 1\n}", 3, "too few values" },
        { "node CCNode {\n  position = 1 2 sideways\n}", 2, "unknown unit 'sideways'" },
        { "node CCNode {\n  timeline open {\n  }\n}", 2, "unknown timeline 'open'" },
        { "sequence a 1\nnode CCNode {\n  timeline a {\n    position 2 = 0 0\n  }\n}", 4, "outside the sequence" },
        { "sequence a 1\nnode CCNode {\n  timeline a {\n    rotation 1 = 0\n    rotation 0 = 5\n  }\n}", 5, "time order" },
        { "sequence a 1\nnode CCNode {\n  timeline a {\n    opacity 0 = 1 ease wobble\n  }\n}", 4, "unknown easing" },
        { "sequence a 1 chain b\nnode CCNode { }", 1, "unknown chained sequence 'b'" },
        { "sequence a 1 deleted autoplay\nnode CCNode { }", 1, "deleted sequence cannot play" },
        { "sequence a 1 deleted\nsequence b 1 chain a\nnode CCNode { }", 2, "chains to the deleted 'a'" },
        { "node CCNode {\n  string = \"open\n}", 2, "unterminated string" },
        { "node A { }\nnode B { }", 2, "one root node" },
        { "// nothing\n", 2, "no root node" },
        { "node CCNode {\n  tag = 1\n", 3, "missing '}'" },
    };
    for (const Case& c : cases)
    {
        CCBDocumentData doc;
        ccbc::ParseError error;
        EXPECT_FALSE(ccbc::parseLayout(c.source, "bad.layout", doc, error)) << c.source;
        EXPECT_EQ(c.line, error.line) << c.source << " -> " << error.text();
        EXPECT_NE(std::string::npos, error.message.find(c.message)) << error.text();
        EXPECT_EQ(0u, error.text().find("bad.layout:")) << error.text();
    }
}

TEST(CCBFormat, BuildHelperAndToolWriteTheSameBytesAsTheCompiler)
{
    std::string source = vorntest::readFile(vorntest::fixturePath("engine/ccb/every-type.layout"));
    std::vector<unsigned char> expected = ccbc::CcbiWriter::write(parseOrFail(source));
    EXPECT_EQ(expected, bytesOf(vorntest::readFile(std::string(CCB_LAYOUT_DIR) + "/every-type.ccbi")));

    // A bad layout fails the tool with the file and line on stderr and leaves no output.
    std::string dir = vorntest::makeTempDir("ccbc");
    vorntest::writeFile(dir + "/bad.layout", "node CCNode {\n  tag = x\n}\n");
    std::string command = std::string(CCBC_PATH) + " " + dir + "/bad.layout -o " + dir + "/bad.ccbi 2> " + dir + "/err";
    EXPECT_NE(0, std::system(command.c_str()));
    EXPECT_NE(std::string::npos, vorntest::readFile(dir + "/err").find("bad.layout:2: error:"));
    EXPECT_EQ("", vorntest::readFile(dir + "/bad.ccbi"));
}
