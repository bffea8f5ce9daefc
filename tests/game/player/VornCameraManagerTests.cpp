#include "PlayerTestSupport.h"

#include "AutoLerpFloat.h"
#include "RestartManager.h"
#include "VornBackdrop.h"
#include "VornCameraManager.h"
#include "VornCollision.h"
#include "VornPlayerInputMulti.h"
#include "VornTestSupport.h"

#include <cmath>

USING_NS_CC;

namespace
{
struct MoveRecorder
{
    void onMoved(CCPoint p) { points.push_back(p); }
    std::vector<CCPoint> points;
};

class CameraTest : public PlayerTest
{
protected:
    void SetUp() override
    {
        PlayerTest::SetUp();
        m_camera = m_game->getCameraManager();
        ASSERT_NE(nullptr, m_camera);
        m_backdrop = loadStage();
        m_left = m_backdrop->getLeftEdgeCollision()->getPosition().x;
        m_right = m_backdrop->getRightEdgeCollision()->getPosition().x;
        // A plain node to follow, so the stage's walls do not push it about.
        m_target = CCNode::create();
        m_game->getActorNode()->addChild(m_target);
        m_camera->setTarget(m_target);
        m_camera->getCameraMovedSignal().connect(&m_moves, &MoveRecorder::onMoved);
    }
    void TearDown() override
    {
        m_camera->getCameraMovedSignal().disconnect(&m_moves, &MoveRecorder::onMoved);
        PlayerTest::TearDown();
    }
    float scale() { return m_camera->getGameScale()->getValue() * m_game->getGameScale(); }
    float halfWidth() { return 0.5f * 960.0f / scale(); }

    VornCameraManager* m_camera = nullptr;
    VornBackdrop* m_backdrop = nullptr;
    CCNode* m_target = nullptr;
    float m_left = 0.0f;
    float m_right = 0.0f;
    MoveRecorder m_moves;
};
} // namespace

TEST(AutoLerpFloat, EasesAtItsRateAndArrivesWhenTheStepIsLongEnough)
{
    const struct
    {
        float dt;
        float expected;
    } cases[] = {{0.0f, 4.0f}, {0.1f, 3.0f}, {0.2f, 2.0f}, {1.0f, 2.0f}, {-1.0f, 4.0f}};
    for (const auto& c : cases)
    {
        AutoLerpFloat value(5.0f, 4.0f);
        EXPECT_FLOAT_EQ(4.0f, value.getTarget());
        value.getTargetByRef() = 2.0f;
        value.tick(c.dt);
        EXPECT_FLOAT_EQ(c.expected, value.getValue()) << c.dt;
    }
}

TEST(CameraSetUp, ANullLayerFailsAndAnEmptyLayerIsLeftAlone)
{
    CCScopedAutoreleasePool pool;
    VornCameraManager* camera = new VornCameraManager();
    {
        vorntest::LogCapture log;
        EXPECT_FALSE(camera->initWithGameLayer(nullptr));
        EXPECT_TRUE(log.contains("VornCameraManager::initWithGameLayer - game layer is NULL!"));
    }
    CCNode* empty = CCNode::create();
    ASSERT_TRUE(camera->initWithGameLayer(empty));
    MoveRecorder moves;
    camera->getCameraMovedSignal().connect(&moves, &MoveRecorder::onMoved);
    camera->tick(0.1f);
    EXPECT_TRUE(moves.points.empty());
    EXPECT_FLOAT_EQ(1.0f, empty->getScale());
    EXPECT_FLOAT_EQ(0.0f, camera->getGameScreenBounds().size.width);
    camera->release();
}

TEST_F(CameraTest, FirstFrameJumpsOntoTheTargetThenEases)
{
    const float mid = 0.5f * (m_left + m_right);
    ASSERT_GT(m_right - m_left, 4.0f * halfWidth()) << "the stage must be wider than two screens";
    m_target->setPosition(CCPoint(mid, 0.0f));
    frames(1);
    EXPECT_FLOAT_EQ(mid, m_camera->getCameraPosition().x);
    const CCRect bounds = m_camera->getGameScreenBounds();
    EXPECT_NEAR(mid, bounds.getMidX(), 0.01f);
    EXPECT_NEAR(960.0f / scale(), bounds.size.width, 0.01f);
    EXPECT_NEAR(640.0f / scale(), bounds.size.height, 0.01f);
    ASSERT_EQ(1u, m_moves.points.size());
    EXPECT_FLOAT_EQ(-mid, m_moves.points[0].x);
    EXPECT_FLOAT_EQ(0.0f, m_moves.points[0].y);

    m_target->setPosition(CCPoint(mid + 20.0f, 0.0f));
    frames(1);
    EXPECT_NEAR(mid + 20.0f * 5.0f * kFrame, m_camera->getCameraPosition().x, 1e-3f);
    // The backdrop hears the moves (it skips only the first after its load).
    EXPECT_FALSE(m_backdrop->getIgnoreNextCameraMove());
    // A long frame arrives at once.
    m_camera->tick(0.25f);
    EXPECT_FLOAT_EQ(mid + 20.0f, m_camera->getCameraPosition().x);
}

TEST_F(CameraTest, TheViewStaysBetweenTheWalls)
{
    const struct
    {
        float targetX;
        bool left;
    } cases[] = {{-5000.0f, true}, {5000.0f, false}};
    for (const auto& c : cases)
    {
        m_target->setPosition(CCPoint(c.targetX, 0.0f));
        m_camera->onRestart();
        frames(1);
        const CCRect bounds = m_camera->getGameScreenBounds();
        if (c.left)
        {
            EXPECT_FLOAT_EQ(m_left + halfWidth(), m_camera->getCameraPosition().x);
            EXPECT_NEAR(m_left, bounds.getMinX(), 0.01f);
        }
        else
        {
            EXPECT_FLOAT_EQ(m_right - halfWidth(), m_camera->getCameraPosition().x);
            EXPECT_NEAR(m_right, bounds.getMaxX(), 0.01f);
        }
        const CCPoint floor = m_backdrop->getFloorCollision()->getPosition();
        EXPECT_FLOAT_EQ(m_left, floor.x);
        // A little above the window's bottom edge: the feet stay in view.
        EXPECT_FLOAT_EQ(-0.5f * 640.0f / scale() + 2.0f, floor.y);
    }

    // The player follows the view's walls when locked in, and gets the level back after.
    m_camera->setLeftEdgeCollisionToCameraBounds(true);
    EXPECT_FLOAT_EQ(m_camera->getGameScreenBounds().getMinX(), m_backdrop->getLeftEdgeCollision()->getPosition().x);
    m_camera->setLeftEdgeCollisionToCameraBounds(false);
    EXPECT_FLOAT_EQ(m_backdrop->getLevelBounds().getMinX(), m_backdrop->getLeftEdgeCollision()->getPosition().x);
    m_camera->setRightEdgeCollision(m_right - 10.0f);
    EXPECT_FLOAT_EQ(m_right - 10.0f, m_backdrop->getRightEdgeCollision()->getPosition().x);
}

TEST_F(CameraTest, ShakeJittersTheViewNotTheCameraAndStopsWhilePaused)
{
    const float mid = 0.5f * (m_left + m_right);
    m_target->setPosition(CCPoint(mid, 0.0f));
    frames(1);
    m_camera->setShakeScale(3.0f);
    const float reach = 3.0f * CCDirector::sharedDirector()->getContentScaleFactor();
    m_moves.points.clear();
    frames(30);
    bool jittered = false;
    for (const CCPoint& p : m_moves.points)
    {
        const float jitter = -p.x - mid;
        EXPECT_LE(std::fabs(jitter), reach + 1e-3f);
        EXPECT_FLOAT_EQ(0.0f, p.y);
        jittered = jittered || std::fabs(jitter) > 1e-3f;
    }
    EXPECT_TRUE(jittered);
    EXPECT_FLOAT_EQ(mid, m_camera->getCameraPosition().x);
    // The layer shows the shaken view.
    const float viewX = -m_moves.points.back().x;
    EXPECT_NEAR(480.0f - viewX * scale(), m_game->getGameLayer()->getPosition().x, 1e-2f);

    m_game->setPaused(true);
    m_moves.points.clear();
    frames(3);
    for (const CCPoint& p : m_moves.points)
    {
        EXPECT_FLOAT_EQ(-mid, p.x);
    }

    // A checkpoint keeps the shake; a continue or a level start stops it.
    RestartManager* restart = m_game->getRestartManager();
    restart->storeAll();
    m_game->getContinueSignal().emit();
    EXPECT_FLOAT_EQ(0.0f, m_camera->getShakeScale());
    restart->restoreAll();
    EXPECT_FLOAT_EQ(3.0f, m_camera->getShakeScale());
    m_game->getLevelStartedSignal().emit();
    EXPECT_FLOAT_EQ(0.0f, m_camera->getShakeScale());
}

TEST_F(CameraTest, ZoomEasesToItsTargetAndARestartPutsItBack)
{
    frames(1);
    m_camera->getGameScale()->setTarget(2.0f);
    frames(1);
    const float t = 5.0f * kFrame;
    const float expected = (1.0f - t) * 4.0f + t * 2.0f;
    EXPECT_FLOAT_EQ(expected, m_camera->getGameScale()->getValue());
    EXPECT_FLOAT_EQ(expected * m_game->getGameScale(), m_game->getGameLayer()->getScale());
    step(2.0f);
    EXPECT_NEAR(2.0f, m_camera->getGameScale()->getValue(), 1e-3f);
    m_game->getLevelStartedSignal().emit();
    EXPECT_FLOAT_EQ(4.0f, m_camera->getGameScale()->getValue());
    EXPECT_FLOAT_EQ(4.0f, m_camera->getGameScale()->getTarget());
}

TEST_F(CameraTest, FollowsThePlayerWalking)
{
    m_camera->setTarget(m_player);
    const float mid = 0.5f * (m_left + m_right);
    m_player->setBasePosition(CCPoint(mid, 40.0f));
    m_camera->onRestart();
    frames(1);
    EXPECT_FLOAT_EQ(mid, m_camera->getCameraPosition().x);
    m_keyboard->keyPressed(VornPlayerInputMulti::kKeyRight);
    step(1.0f);
    m_keyboard->keyReleased(VornPlayerInputMulti::kKeyRight);
    EXPECT_GT(m_camera->getCameraPosition().x, mid + 5.0f);
    step(2.0f);
    EXPECT_NEAR(m_player->getPosition().x, m_camera->getCameraPosition().x, 0.1f);
}
