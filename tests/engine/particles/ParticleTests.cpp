#include "NodeTestSupport.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

USING_NS_CC;

namespace
{
std::string fixture(const char* name)
{
    return vorntest::fixturePath(std::string("engine/particles/") + name);
}

CCPoint quadCentre(const ccSpriteQuad& q)
{
    return ccp((q.bl.vertices.x + q.tr.vertices.x) / 2, (q.bl.vertices.y + q.tr.vertices.y) / 2);
}

// A still emitter: one particle per 0.1 s that stays where it is born.
CCParticleSystemQuad* stillEmitter(tCCPositionType type)
{
    CCParticleSystemQuad* ps = CCParticleSystemQuad::createWithTotalParticles(10);
    ps->setLife(10);
    ps->setEmissionRate(10);
    ps->setDuration(kCCParticleDurationInfinity);
    ps->setStartSize(4);
    ps->setEndSize(kCCParticleStartSizeEqualToEndSize);
    ps->setStartColor(ccc4f(1, 1, 1, 1));
    ps->setEndColor(ccc4f(1, 1, 1, 1));
    ps->setPositionType(type);
    return ps;
}
} // namespace

class ParticleTest : public EngineTest
{
protected:
    virtual void TearDown()
    {
        CCTextureCache::purgeSharedTextureCache();
        EngineTest::TearDown();
    }
};

TEST_F(ParticleTest, ReadsTheFileKeys)
{
    CCParticleSystemQuad* burst = CCParticleSystemQuad::create(fixture("burst.plist").c_str());
    ASSERT_TRUE(burst != NULL);
    EXPECT_EQ(kCCParticleModeGravity, burst->getEmitterMode());
    EXPECT_EQ(20u, burst->getTotalParticles());
    EXPECT_FLOAT_EQ(10.0f, burst->getEmissionRate());
    EXPECT_FLOAT_EQ(1.0f, burst->getDuration());
    EXPECT_EQ(CCPointMake(40, 30), burst->getPosition());
    EXPECT_EQ(CCPointMake(4, 0), burst->getPosVar());
    EXPECT_EQ(CCPointMake(0, -40), burst->getGravity());
    EXPECT_TRUE(burst->isBlendAdditive());
    EXPECT_FLOAT_EQ(0.6f, burst->getStartColor().g);
    ASSERT_TRUE(burst->getTexture() != NULL);
    EXPECT_EQ(8u, burst->getTexture()->getPixelsWide());

    // Radius mode with the image inside the file (gzip + base64) and a name that isn't on disk.
    CCParticleSystemQuad* ring = CCParticleSystemQuad::create(fixture("ring.plist").c_str());
    ASSERT_TRUE(ring != NULL);
    EXPECT_EQ(kCCParticleModeRadius, ring->getEmitterMode());
    EXPECT_FLOAT_EQ(30.0f, ring->getStartRadius());
    EXPECT_FLOAT_EQ(5.0f, ring->getEndRadius());
    EXPECT_FLOAT_EQ(kCCParticleDurationInfinity, ring->getDuration());
    EXPECT_EQ(-1, ring->getYCoordFlipped());
    ASSERT_TRUE(ring->getTexture() != NULL);
    EXPECT_EQ(4u, ring->getTexture()->getPixelsWide());
}

TEST_F(ParticleTest, EmitsAtCountOverLifeThenStopsAndRemovesItself)
{
    CCScene* scene = runScene();
    CCParticleSystemQuad* burst = CCParticleSystemQuad::create(fixture("burst.plist").c_str());
    ASSERT_TRUE(burst != NULL);
    burst->setAutoRemoveOnFinish(true);
    scene->addChild(burst);
    srand(1);
    stepFrames(60);
    EXPECT_NEAR(10, (int)burst->getParticleCount(), 1);
    stepFrames(2);
    EXPECT_FALSE(burst->isActive());
    const unsigned int emitted = burst->getParticleCount();
    stepFrames(30);
    EXPECT_EQ(emitted, burst->getParticleCount());   // no more emission, nothing died yet
    burst->retain();
    stepFrames(120);
    EXPECT_EQ(0u, burst->getParticleCount());
    EXPECT_TRUE(burst->getParent() == NULL);
    burst->release();
}

TEST_F(ParticleTest, FixedSeedRepeatsTheRunAndResetStartsAgain)
{
    ccSpriteQuad first[5];
    for (int run = 0; run < 2; ++run)
    {
        srand(42);
        CCParticleSystemQuad* ring = CCParticleSystemQuad::create(fixture("ring.plist").c_str());
        ASSERT_TRUE(ring != NULL);
        for (int i = 0; i < 40; ++i)
        {
            ring->update(1.0f / 30);
        }
        ASSERT_GE(ring->getParticleCount(), 5u);
        if (run == 0)
        {
            memcpy(first, ring->getQuads(), sizeof(first));
        }
        else
        {
            EXPECT_EQ(0, memcmp(first, ring->getQuads(), sizeof(first)));
        }
        // Radius mode: every particle circles the source inside the start radius plus its size.
        for (unsigned int i = 0; i < ring->getParticleCount(); ++i)
        {
            const CCPoint c = quadCentre(ring->getQuads()[i]);
            EXPECT_LE(sqrtf(c.x * c.x + c.y * c.y), 30.01f);
        }
        ring->stopSystem();
        EXPECT_FALSE(ring->isActive());
        ring->resetSystem();
        EXPECT_TRUE(ring->isActive());
        EXPECT_EQ(0u, ring->getParticleCount());
    }
}

TEST_F(ParticleTest, PositionTypeDecidesWhetherParticlesFollowTheEmitter)
{
    struct Case
    {
        tCCPositionType type;
        float expectedX;
    } cases[] = { { kCCPositionTypeFree, -50 }, { kCCPositionTypeRelative, -50 }, { kCCPositionTypeGrouped, 0 } };
    for (const Case& c : cases)
    {
        CCParticleSystemQuad* ps = stillEmitter(c.type);
        ps->setPosition(ccp(100, 100));
        ps->update(0.15f);
        ASSERT_EQ(1u, ps->getParticleCount());
        EXPECT_FLOAT_EQ(0.0f, quadCentre(ps->getQuads()[0]).x);
        ps->setPosition(ccp(150, 100));
        ps->update(0.01f);
        EXPECT_FLOAT_EQ(c.expectedX, quadCentre(ps->getQuads()[0]).x) << c.type;
    }
    // Free particles stay put in the world when a parent moves; relative ones move with it.
    for (tCCPositionType type : { kCCPositionTypeFree, kCCPositionTypeRelative })
    {
        CCNode* parent = CCNode::create();
        CCParticleSystemQuad* ps = stillEmitter(type);
        parent->addChild(ps);
        ps->update(0.15f);
        parent->setPosition(ccp(30, 0));
        ps->update(0.01f);
        EXPECT_FLOAT_EQ(type == kCCPositionTypeFree ? -30.0f : 0.0f, quadCentre(ps->getQuads()[0]).x);
    }
}

TEST_F(ParticleTest, TextureRectSizeAndSpinShapeTheQuads)
{
    CCParticleSystemQuad* ps = stillEmitter(kCCPositionTypeGrouped);
    CCTexture2D* tex = CCTextureCache::sharedTextureCache()->addImage(fixture("spark.png").c_str());
    ASSERT_TRUE(tex != NULL);
    ps->setTextureWithRect(tex, CCRectMake(4, 0, 4, 8));
    ps->update(0.15f);
    const ccSpriteQuad& q = ps->getQuads()[0];
    EXPECT_FLOAT_EQ(0.5f, q.bl.texCoords.u);
    EXPECT_FLOAT_EQ(1.0f, q.br.texCoords.u);
    EXPECT_FLOAT_EQ(1.0f, q.bl.texCoords.v);
    EXPECT_FLOAT_EQ(4.0f, q.tr.vertices.x - q.bl.vertices.x);
    EXPECT_EQ(255, q.tl.colors.a);

    // A clockwise quarter turn takes the bottom-left corner to the top left.
    ps->setStartSpin(90);
    ps->setEndSpin(90);
    ps->resetSystem();
    ps->update(0.15f);
    const ccSpriteQuad& r = ps->getQuads()[0];
    EXPECT_NEAR(-2.0f, r.bl.vertices.x, 1e-4);
    EXPECT_NEAR(2.0f, r.bl.vertices.y, 1e-4);
}

// Effect editors write a lifespan of 0 with a variance for effects that should show at once:
// the system fills to its total on the first update and each particle lives its own random life.
TEST_F(ParticleTest, ZeroLifespanFillsAtOnceAndEachParticleLivesItsOwnLife)
{
    struct Case
    {
        const char* file;
        unsigned int total;
        float lifeVar;
        bool continuous;
    } cases[] = { { "flash.plist", 30, 0.5f, false }, { "flame.plist", 25, 0.4f, true } };
    const float dt = 1.0f / 60;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.file);
        srand(7);
        CCParticleSystemQuad* ps = CCParticleSystemQuad::create(fixture(c.file).c_str());
        ASSERT_TRUE(ps != NULL);
        ASSERT_EQ(c.total, ps->getTotalParticles());
        ps->update(dt);
        // About half draw a life of 0 (negative lives count as 0) and go in the same update.
        const unsigned int first = ps->getParticleCount();
        EXPECT_GE(first, c.total / 4);
        EXPECT_LE(first, c.total);

        // Lives differ, so particles go one by one rather than all at once.
        unsigned int least = first;
        unsigned int most = 0;
        const int frames = (int)(c.lifeVar * 3 / dt);
        for (int i = 0; i < frames; ++i)
        {
            ps->update(dt);
            least = std::min(least, ps->getParticleCount());
            most = std::max(most, ps->getParticleCount());
        }
        EXPECT_LE(most, c.total);
        if (c.continuous)
        {
            // Every update tops the system up again.
            EXPECT_TRUE(ps->isActive());
            EXPECT_GE(least, c.total / 4);
        }
        else
        {
            EXPECT_FALSE(ps->isActive());
            EXPECT_EQ(0u, ps->getParticleCount());
        }
        for (unsigned int i = 0; i < ps->getParticleCount(); ++i)
        {
            EXPECT_TRUE(std::isfinite(ps->getQuads()[i].tr.vertices.x));
        }
    }

    // The burst fades out over its variance: part of it is still there halfway.
    srand(7);
    CCParticleSystemQuad* flash = CCParticleSystemQuad::create(fixture("flash.plist").c_str());
    ASSERT_TRUE(flash != NULL);
    for (int i = 0; i < 6; ++i)
    {
        flash->update(dt);
    }
    const unsigned int atStop = flash->getParticleCount();
    for (int i = 0; i < 15; ++i)
    {
        flash->update(dt);
    }
    EXPECT_GT(flash->getParticleCount(), 0u);
    EXPECT_LT(flash->getParticleCount(), atStop);
}

TEST_F(ParticleTest, BadFilesAndImagesAreLoggedNotFatal)
{
    vorntest::LogCapture log;
    EXPECT_TRUE(CCParticleSystemQuad::create("no-such.plist") == NULL);
    EXPECT_TRUE(log.contains("no-such.plist"));

    const std::string dir = vorntest::makeTempDir("particles");
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                             "<key>maxParticles</key><integer>5</integer>"
                             "<key>particleLifespan</key><real>0</real>";
    vorntest::writeFile(dir + "/broken.plist", head + "<key>textureFileName</key><string>gone.png</string>"
                        "<key>textureImageData</key><string>H4sI!!notbase64</string></dict></plist>");
    log.clear();
    CCParticleSystemQuad* broken = CCParticleSystemQuad::create((dir + "/broken.plist").c_str());
    ASSERT_TRUE(broken != NULL);
    EXPECT_TRUE(broken->getTexture() == NULL);
    EXPECT_TRUE(log.contains("can't be decoded"));
    // A zero life without variance: the rate is unbounded, but every particle dies as it is born.
    EXPECT_TRUE(std::isinf(broken->getEmissionRate()));
    broken->update(1.0f);
    EXPECT_EQ(0u, broken->getParticleCount());

    vorntest::writeFile(dir + "/huge.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                        "<key>maxParticles</key><integer>2000000000</integer></dict></plist>");
    CCParticleSystemQuad* huge = CCParticleSystemQuad::create((dir + "/huge.plist").c_str());
    ASSERT_TRUE(huge != NULL);
    EXPECT_LE(huge->getTotalParticles(), 100000u);
}

TEST(ParticleImageData, DecodesBase64AndInflatesWithinALimit)
{
    std::vector<unsigned char> out;
    EXPECT_TRUE(ccBase64Decode("aGVsbG8=", out));
    EXPECT_EQ("hello", std::string(out.begin(), out.end()));
    EXPECT_FALSE(ccBase64Decode("aGV*bG8=", out));

    // 64 KB of zeros, zlib-compressed, then base64.
    std::vector<unsigned char> zeros(65536, 0);
    uLongf size = compressBound(zeros.size());
    std::vector<unsigned char> packed(size);
    ASSERT_EQ(Z_OK, compress(packed.data(), &size, zeros.data(), zeros.size()));
    packed.resize(size);
    static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string b64;
    for (size_t i = 0; i < packed.size(); i += 3)
    {
        unsigned int v = packed[i] << 16;
        if (i + 1 < packed.size()) v |= packed[i + 1] << 8;
        if (i + 2 < packed.size()) v |= packed[i + 2];
        b64 += table[(v >> 18) & 63];
        b64 += table[(v >> 12) & 63];
        b64 += i + 1 < packed.size() ? table[(v >> 6) & 63] : '=';
        b64 += i + 2 < packed.size() ? table[v & 63] : '=';
    }
    EXPECT_TRUE(ccDecodeEmbeddedImage(b64, out));
    EXPECT_EQ(65536u, out.size());
    EXPECT_FALSE(ccDecodeEmbeddedImage(b64, out, 1000));
    EXPECT_FALSE(ccDecodeEmbeddedImage(b64.substr(0, b64.size() / 2), out));
}
