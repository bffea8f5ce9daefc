#include "VornTestSupport.h"

#include "CcbiWriter.h"
#include "LayoutParser.h"
#include "cocos-ext.h"

#include <gtest/gtest.h>

#include <random>

USING_NS_CC;
USING_NS_CC_EXT;

namespace
{
std::vector<unsigned char> validFile()
{
    std::string source = vorntest::readFile(vorntest::fixturePath("engine/ccb/every-type.layout"));
    CCBDocumentData doc;
    ccbc::ParseError error;
    EXPECT_TRUE(ccbc::parseLayout(source, "every-type.layout", doc, error)) << error.text();
    return ccbc::CcbiWriter::write(doc);
}

// Each decode gets a heap block of exactly its size, so the sanitizer sees any read past it.
bool decodeExact(const std::vector<unsigned char>& bytes, size_t size)
{
    std::vector<unsigned char> copy(bytes.begin(), bytes.begin() + size);
    CCBDocumentData doc;
    return CCBDocumentDecoder::decode(copy.empty() ? NULL : copy.data(), copy.size(), "corrupt", doc);
}
} // namespace

TEST(CCBCorruption, EveryPrefixOfAValidFileFailsWithALogLine)
{
    std::vector<unsigned char> bytes = validFile();
    for (size_t size = 0; size < bytes.size(); ++size)
    {
        vorntest::LogCapture log;
        EXPECT_FALSE(decodeExact(bytes, size)) << "prefix of " << size << " bytes";
        ASSERT_EQ(1u, log.lines().size()) << "prefix of " << size << " bytes";
        EXPECT_NE(std::string::npos, log.lines()[0].find("CCBReader - cannot read 'corrupt'"));
    }
    EXPECT_TRUE(decodeExact(bytes, bytes.size()));
}

TEST(CCBCorruption, RandomByteFlipsNeverCrash)
{
    std::vector<unsigned char> bytes = validFile();
    std::mt19937 random(1234);
    int failures = 0;
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<unsigned char> broken = bytes;
        int flips = 1 + (int)(random() % 3);
        for (int i = 0; i < flips; ++i) broken[random() % broken.size()] ^= (unsigned char)(1 + random() % 255);
        vorntest::LogCapture log;
        if (!decodeExact(broken, broken.size()))
        {
            ++failures;
            EXPECT_EQ(1u, log.lines().size());
        }
    }
    // Most flips land in structure rather than in string text or colour bytes.
    EXPECT_GT(failures, 300);
}

TEST(CCBCorruption, WrongMagicOrVersionIsRefusedWithItsReason)
{
    std::vector<unsigned char> bytes = validFile();
    std::vector<unsigned char> magic = bytes;
    magic[0] = 'x';
    std::vector<unsigned char> version = bytes;
    version[4] = 0x04;  // code 4: version 3

    std::string reason;
    CCBDocumentData doc;
    EXPECT_FALSE(CCBDocumentDecoder::decode(magic.data(), magic.size(), "m", doc, &reason));
    EXPECT_NE(std::string::npos, reason.find("not a .ccbi file"));
    EXPECT_FALSE(CCBDocumentDecoder::decode(version.data(), version.size(), "v", doc, &reason));
    EXPECT_NE(std::string::npos, reason.find("unsupported version 3"));
    EXPECT_FALSE(CCBDocumentDecoder::decode(NULL, 0, "empty", doc, &reason));
}
