#include "sprites/CCSpriteBatchNode.h"

#include "sprites/CCSprite.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

NS_CC_BEGIN

CCSpriteBatchNode::CCSpriteBatchNode()
: m_pobTexture(NULL)
{
    m_blendFunc.src = GL_SRC_ALPHA;
    m_blendFunc.dst = GL_ONE_MINUS_SRC_ALPHA;
}

CCSpriteBatchNode::~CCSpriteBatchNode()
{
    CC_SAFE_RELEASE(m_pobTexture);
}

CCSpriteBatchNode* CCSpriteBatchNode::create()
{
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->init())
    {
        batch->autorelease();
        return batch;
    }
    delete batch;
    return NULL;
}

CCSpriteBatchNode* CCSpriteBatchNode::createWithTexture(CCTexture2D* tex, unsigned int capacity)
{
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithTexture(tex, capacity))
    {
        batch->autorelease();
        return batch;
    }
    delete batch;
    return NULL;
}

CCSpriteBatchNode* CCSpriteBatchNode::create(const char* fileImage, unsigned int capacity)
{
    CCSpriteBatchNode* batch = new CCSpriteBatchNode();
    if (batch->initWithFile(fileImage, capacity))
    {
        batch->autorelease();
        return batch;
    }
    delete batch;
    return NULL;
}

bool CCSpriteBatchNode::init()
{
    return CCNode::init();
}

bool CCSpriteBatchNode::initWithTexture(CCTexture2D* tex, unsigned int capacity)
{
    CC_UNUSED_PARAM(capacity);
    setTexture(tex);
    return CCNode::init();
}

bool CCSpriteBatchNode::initWithFile(const char* fileImage, unsigned int capacity)
{
    CCTexture2D* texture = fileImage ? CCTextureCache::sharedTextureCache()->addImage(fileImage) : NULL;
    if (!texture)
    {
        CCLog("CCSpriteBatchNode::initWithFile - could not load %s", fileImage ? fileImage : "(null)");
        return false;
    }
    return initWithTexture(texture, capacity);
}

void CCSpriteBatchNode::setTexture(CCTexture2D* texture)
{
    if (texture != m_pobTexture)
    {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(m_pobTexture);
        m_pobTexture = texture;
    }
}

void CCSpriteBatchNode::addChild(CCNode* child)
{
    CCNode::addChild(child);
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder)
{
    CCNode::addChild(child, zOrder);
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder, int tag)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (sprite)
    {
        sprite->setBatchNode(this);
    }
    CCNode::addChild(child, zOrder, tag);
}

void CCSpriteBatchNode::removeChild(CCNode* child, bool cleanup)
{
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (sprite && sprite->getBatchNode() == this)
    {
        sprite->setBatchNode(NULL);
    }
    CCNode::removeChild(child, cleanup);
}

NS_CC_END
