#include "StageTestSupport.h"

#include "CCLabelBMFont.h"
#include "CCObjectPool.h"
#include "CCParticleSystemQuad.h"
#include "VornEventDesc.h"
#include "VornImpact.h"

#include <string>
#include <vector>

USING_NS_CC;

class ImpactTest : public StageTest
{
protected:
    VornImpact* takeImpact()
    {
        return static_cast<VornImpact*>(m_pManager->getImpactPool()->getObject());
    }
    void advance(float seconds, int steps)
    {
        for (int i = 0; i < steps; ++i)
        {
            m_pManager->getGameUpdateSignal().emit(seconds / steps);
        }
    }
};

TEST_F(ImpactTest, ShowsRisesAndFadesForTwoSecondsThenGoesBackToThePool)
{
    ASSERT_TRUE(m_pManager->initImpactPool());
    CCObjectPool* pool = m_pManager->getImpactPool();
    ASSERT_EQ(10u, pool->getFree()->count());

    CCNode* layer = CCNode::create();
    VornImpact* impact = takeImpact();
    ASSERT_TRUE(impact != nullptr);
    EXPECT_FALSE(impact->isActive());
    impact->showImpact(layer, CCRect(10, 20, 4, 6), CCPoint(1, 0), "12", true);
    EXPECT_EQ(layer, impact->getParent());
    EXPECT_EQ(100, impact->getZOrder());
    EXPECT_TRUE(impact->getPosition().equals(CCPoint(12, 23)));
    EXPECT_FLOAT_EQ(-90.0f, impact->getParticles()->getRotation());
    EXPECT_TRUE(impact->getParticles()->getPosVar().equals(CCPoint(4, 6)));
    EXPECT_STREQ("12", impact->getLabel()->getString());
    EXPECT_TRUE(impact->isActive());

    advance(1.0f, 10);
    EXPECT_NEAR(5.0f, impact->getLabel()->getPositionY(), 1e-4);
    EXPECT_NEAR(127, impact->getLabel()->getOpacity(), 1);

    // Paused: the game-update signal stops, and so does the impact.
    m_pManager->setPaused(true);
    m_pManager->tick(0.05f);
    EXPECT_NEAR(5.0f, impact->getLabel()->getPositionY(), 1e-4);
    EXPECT_TRUE(impact->isActive());

    advance(0.9f, 9);
    EXPECT_EQ(layer, impact->getParent());
    advance(0.1f, 1);
    EXPECT_NEAR(10.0f, impact->getLabel()->getPositionY(), 1e-3);
    EXPECT_EQ(nullptr, impact->getParent());
    EXPECT_FALSE(impact->isActive());
    EXPECT_EQ(10u, pool->getFree()->count());
    EXPECT_EQ(0u, pool->getUsed()->count());

    // A blow straight up leaves the burst unturned; the text starts again from the bottom.
    VornImpact* again = takeImpact();
    again->showImpact(layer, CCRect(0, 0, 2, 2), CCPoint(0, 1), "7", false);
    EXPECT_FLOAT_EQ(0.0f, again->getParticles()->getRotation());
    EXPECT_FALSE(again->getParticles()->isVisible());
    EXPECT_FLOAT_EQ(0.0f, again->getLabel()->getPositionY());
    EXPECT_EQ(255, again->getLabel()->getOpacity());
}

// Blows landing on a number still up add to it, so a string of hits reads as one count; a blow
// elsewhere, or after the number has risen clear, shows its own.
TEST_F(ImpactTest, ABlowOnANumberStillUpThereAddsToIt)
{
    ASSERT_TRUE(m_pManager->initImpactPool());
    // The manager holds its own layer; it gets it back at the end, so nothing is leaked.
    CCLayer* own = m_pManager->getGameLayer();
    CCLayer* layer = CCLayer::create();
    m_pManager->setGameLayer(layer);
    CCObjectPool* pool = m_pManager->getImpactPool();
    const struct
    {
        const char* name;
        float secondsBetween;
        CCPoint moved;
        std::vector<std::string> shown;
    } cases[] = {
        { "at once, on one spot", 0.0f, CCPoint(0, 0), { "19" } },
        { "a moment later, a little lower", 0.1f, CCPoint(1, -2), { "19" } },
        { "beside it", 0.1f, CCPoint(40, 0), { "12", "7" } },
        { "once the first has risen clear", 1.5f, CCPoint(0, 0), { "12", "7" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        VornEventDesc::showImpact(CCRect(100, 100, 4, 4), false, CCPoint(1, 0), 12, true);
        advance(c.secondsBetween, 10);
        VornEventDesc::showImpact(CCRect(100 + c.moved.x, 100 + c.moved.y, 4, 4), false, CCPoint(1, 0), 7, true);
        std::vector<std::string> shown;
        CCObject* object = nullptr;
        CCARRAY_FOREACH(pool->getUsed(), object)
        {
            VornImpact* impact = static_cast<VornImpact*>(object);
            EXPECT_TRUE(impact->isActive());
            if (impact->getLabel()->isVisible())
            {
                shown.push_back(impact->getLabel()->getString());
            }
        }
        EXPECT_EQ(c.shown, shown);
        // Both blows burst, joined or not.
        EXPECT_EQ(2u, pool->getUsed()->count());
        advance(2.0f, 20);
        ASSERT_EQ(0u, pool->getUsed()->count());
    }
    m_pManager->setGameLayer(own);
}
