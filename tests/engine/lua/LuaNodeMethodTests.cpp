#include "NodeTestSupport.h"
#include "lua_engine.h"

#include <SDL.h>
#include <SDL_image.h>

#include <string>

USING_NS_CC;

namespace
{
class LuaNodeTest : public EngineTest
{
protected:
    virtual void TearDown()
    {
        CCTextureCache::purgeSharedTextureCache();
        EngineTest::TearDown();
    }

    void push(CCNode* node, const char* global)
    {
        lua_State* L = m_engine.getLuaState();
        tolua_pushnode(L, node);
        lua_setglobal(L, global);
    }

    void run(const char* code)
    {
        ASSERT_EQ(0, m_engine.executeString(code)) << code;
    }

    /** The error a chunk raises ("" when it runs through). */
    std::string errorOf(const std::string& code)
    {
        std::string wrapped = "local ok, e = pcall(function() " + code + " end)\n"
                              "caught = ok and '' or tostring(e)";
        if (m_engine.executeString(wrapped.c_str()) != 0)
        {
            return "<did not compile>";
        }
        lua_State* L = m_engine.getLuaState();
        lua_getglobal(L, "caught");
        std::string text = lua_tostring(L, -1) ? lua_tostring(L, -1) : "";
        lua_pop(L, 1);
        return text;
    }

    CCLuaEngine m_engine;
};

/** A node tagged 7 in a running scene with a sprite child (tag 5) and a plain child. */
CCNode* handedNode(CCScene* scene)
{
    CCNode* node = CCNode::create();
    node->setTag(7);
    node->addChild(CCSprite::create(), 0, 5);
    node->addChild(CCNode::create(), 1, 6);
    scene->addChild(node);
    return node;
}
} // namespace

TEST_F(LuaNodeTest, ScriptMovesHidesAndScalesAHandedNode)
{
    CCNode* node = handedNode(runScene());
    push(node, "node");
    run("node:setPosition(10, 20)\n"
        "assert(node:getPositionX() == 10 and node:getPositionY() == 20)\n"
        "node:setPosition(ccp(30, 40))\n"
        "local p = node:getPosition()\n"
        "assert(p.x == 30 and p.y == 40)\n"
        "node:setVisible(false)\n"
        "assert(node:isVisible() == false)\n"
        "node:setScale(2)\n"
        "node:setScaleY(3)\n"
        "assert(node:getScaleX() == 2 and node:getScaleY() == 3)\n"
        "node:setRotation(45)\n"
        "node:setZOrder(4)\n"
        "children = node:getChildrenCount()\n"
        "tag = node:getTag()\n"
        "local sprite = node:getChildByTag(5)\n"
        "assert(sprite:getParent() == node)\n"
        "assert(node:getChildByTag(99) == nil)\n"
        "sprite:setOpacity(300)\n" // clamped, not wrapped
        "assert(sprite:getOpacity() == 255)\n"
        "sprite:setColor(ccc3(10, 20, 30))\n"
        "assert(sprite:getColor().g == 20)\n"
        "sprite:setFlipX(true)\n"
        "assert(sprite:isFlipX() and not sprite:isFlipY())\n"
        "assert(node:getChildByTag(6).setOpacity == nil)\n" // a plain node has no sprite methods
        "node:setTag(2^40)\n"); // clamped to the int range, not undefined
    lua_State* L = m_engine.getLuaState();
    lua_getglobal(L, "children");
    EXPECT_EQ(2, lua_tointeger(L, -1));
    lua_getglobal(L, "tag");
    EXPECT_EQ(7, lua_tointeger(L, -1));
    lua_pop(L, 2);

    EXPECT_TRUE(node->getPosition().equals(ccp(30, 40)));
    EXPECT_FALSE(node->isVisible());
    EXPECT_FLOAT_EQ(2.0f, node->getScaleX());
    EXPECT_FLOAT_EQ(3.0f, node->getScaleY());
    EXPECT_FLOAT_EQ(45.0f, node->getRotation());
    EXPECT_EQ(4, node->getZOrder());
    EXPECT_EQ(2147483647, node->getTag());
    CCSprite* sprite = (CCSprite*)node->getChildByTag(5);
    EXPECT_EQ(20, sprite->getColor().g);
    EXPECT_TRUE(sprite->isFlipX());
}

TEST_F(LuaNodeTest, ActionsFromScriptsLandAfterSteppingTheDirector)
{
    CCNode* node = handedNode(runScene());
    push(node, "node");
    stepFrames(1);
    run("move = CCSequence:create({ CCDelayTime:create(0.5), CCMoveTo:create(0.5, ccp(100, 50)) })\n"
        "assert(node:runAction(move) == move)\n"
        "local sprite = node:getChildByTag(5)\n"
        "sprite:runAction(CCSequence:create(CCFadeTo:create(0.2, 0), CCScaleTo:create(0.2, 2, 3)))\n"
        "node:getChildByTag(6):runAction(CCRepeatForever:create(CCMoveBy:create(0.1, ccp(1, 0))))");
    stepFrames(4, 0.1f);
    EXPECT_TRUE(node->getPosition().equals(CCPointZero)) << "still waiting out the delay";
    stepFrames(8, 0.1f);
    EXPECT_TRUE(node->getPosition().equals(ccp(100, 50)));
    CCSprite* sprite = (CCSprite*)node->getChildByTag(5);
    EXPECT_EQ(0, sprite->getOpacity());
    EXPECT_FLOAT_EQ(3.0f, sprite->getScaleY());
    CCNode* mover = node->getChildByTag(6);
    EXPECT_EQ(1u, mover->numberOfRunningActions());
    run("node:getChildByTag(6):stopAllActions()");
    EXPECT_EQ(0u, mover->numberOfRunningActions());

    // The finished sequence was freed with the frame's pool: the script sees it gone.
    EXPECT_NE(std::string::npos, errorOf("node:runAction(move)").find("invalid argument #2 in function 'runAction'"));
}

TEST_F(LuaNodeTest, ARemovedNodeReportsInvalidSelf)
{
    CCScene* scene = runScene();
    CCNode* node = handedNode(scene);
    push(node, "node");
    stepFrames(1); // the pool lets go: only the scene holds the node now
    run("child = node:getChildByTag(5)\n"
        "node:removeFromParentAndCleanup(true)");
    EXPECT_EQ(0u, scene->getChildrenCount());
    EXPECT_EQ("", errorOf("assert(node ~= nil and child ~= nil)"));
    EXPECT_NE(std::string::npos, errorOf("node:setVisible(true)").find("invalid 'self' in function 'setVisible'"));
    EXPECT_NE(std::string::npos, errorOf("child:getOpacity()").find("invalid 'self' in function 'getOpacity'"));
    EXPECT_NE(std::string::npos, errorOf("CCNode.getTag(nil)").find("invalid 'self' in function 'getTag'"));
}

TEST_F(LuaNodeTest, WrongArgumentsGiveTheBindingsErrorText)
{
    CCNode* node = handedNode(runScene());
    push(node, "node");
    struct Case
    {
        const char* code;
        const char* function;
        const char* detail;
    };
    const Case cases[] = {
        { "node:setPosition('left')", "setPosition", "argument #2 is 'string'; 'CCPoint' expected." },
        { "node:setPosition(1, 2, 3)", "setPosition", "argument #2 is 'number'; 'CCPoint' expected." },
        { "node:setVisible(1)", "setVisible", "argument #2 is 'number'; 'boolean' expected." },
        { "node:getTag(1)", "getTag", "argument #2 is 'number'; '[no object]' expected." },
        { "node:runAction(nil)", "runAction", "argument #2 is 'nil'; 'value' expected." },
        { "node:runAction(node)", "runAction", "argument #2 is 'CCNode'; 'CCAction' expected." },
        { "node:addChild(ccp(1, 2))", "addChild", "argument #2 is 'CCPoint'; 'CCNode' expected." },
        { "CCSprite.setOpacity(node, 1)", "setOpacity", "argument #1 is 'CCNode'; 'CCSprite' expected." },
        { "CCMoveTo:create(1, 2)", "create", "argument #3 is 'number'; 'CCPoint' expected." },
        { "CCMoveTo.create(1, ccp(0, 0))", "create", "argument #1 is 'number'; 'CCMoveTo' expected." },
        { "CCSequence:create({ CCDelayTime:create(1), 5 })", "create", "'CCFiniteTimeAction' expected." },
        { "CCRepeatForever:create(CCMoveTo)", "create", "argument #2 is 'class CCMoveTo'; 'CCActionInterval' expected." },
    };
    for (const Case& c : cases)
    {
        const std::string error = errorOf(c.code);
        EXPECT_NE(std::string::npos, error.find(std::string("error in function '") + c.function + "'."))
            << c.code << " -> " << error;
        EXPECT_NE(std::string::npos, error.find(c.detail)) << c.code << " -> " << error;
    }
    // Faults the engine would not survive are refused, not passed on.
    EXPECT_NE(std::string::npos, errorOf("node:getChildByTag(6):addChild(node)").find("cannot be added below itself"));
    EXPECT_NE(std::string::npos, errorOf("CCSequence:create({ CCDelayTime:create(1), nil, CCDelayTime:create(1) })")
                                     .find("invalid action #2 in function 'create'"));
    EXPECT_EQ(1u, node->getParent()->getChildrenCount());
}

TEST_F(LuaNodeTest, ScriptsCreateSpritesFromFiles)
{
    const std::string dir = vorntest::makeTempDir("lua-sprites");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 16, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_EQ(0, IMG_SavePNG(s, (dir + "/crate.png").c_str()));
    SDL_FreeSurface(s);
    CCNode* node = handedNode(runScene());
    push(node, "node");
    lua_State* L = m_engine.getLuaState();
    lua_pushstring(L, dir.c_str());
    lua_setglobal(L, "dir");
    CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str());
    tolua_pushccobject(L, CCSpriteFrame::create((dir + "/crate.png").c_str(), CCRectMake(0, 0, 8, 4)), "CCSpriteFrame");
    lua_setglobal(L, "frame");
    run("local crate = CCSprite:create('crate.png')\n"
        "node:addChild(crate, 2, 9)\n"
        "local size = crate:getContentSize()\n"
        "assert(size.width == 32 and size.height == 16)\n"
        "crate:setPosition(100, 100)\n"
        "local box = crate:boundingBox()\n"
        "assert(box:getMinX() == 84 and box:getMaxY() == 108)\n"
        "assert(CCSprite:create('missing.png') == nil)\n"
        "assert(CCSprite:create(nil) == nil)\n"
        "assert(CCSprite:create(dir .. '/crate.png') == nil)\n"
        "assert(CCSprite:create():getContentSize().width == 0)\n"
        "crate:setDisplayFrame(frame)\n"
        "assert(crate:getContentSize().width == 8)");
    CCNode* crate = node->getChildByTag(9);
    ASSERT_TRUE(crate != NULL);
    EXPECT_EQ(2, crate->getZOrder());
    stepFrames(2);
}
