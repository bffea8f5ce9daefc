#ifndef __CC_SPRITE_BATCH_NODE_H__
#define __CC_SPRITE_BATCH_NODE_H__

#include "nodes/CCNode.h"
#include "nodes/CCProtocols.h"

NS_CC_BEGIN

class CCTexture2D;

/**
 * A parent for sprites that share one texture. The renderer batches by texture anyway, so this
 * is a plain node that remembers its texture and blend function.
 */
class CCSpriteBatchNode : public CCNode, public CCTextureProtocol
{
public:
    CCSpriteBatchNode();
    virtual ~CCSpriteBatchNode();

    static CCSpriteBatchNode* create();
    static CCSpriteBatchNode* createWithTexture(CCTexture2D* tex, unsigned int capacity = 29);
    /** NULL (and a log line) when the image can't be loaded. */
    static CCSpriteBatchNode* create(const char* fileImage, unsigned int capacity = 29);
    virtual bool init();
    bool initWithTexture(CCTexture2D* tex, unsigned int capacity);
    bool initWithFile(const char* fileImage, unsigned int capacity);

    virtual CCTexture2D* getTexture(void) { return m_pobTexture; }
    virtual void setTexture(CCTexture2D* texture);
    virtual void setBlendFunc(ccBlendFunc blendFunc) { m_blendFunc = blendFunc; }
    virtual ccBlendFunc getBlendFunc(void) { return m_blendFunc; }

    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    virtual void removeChild(CCNode* child, bool cleanup);

protected:
    CCTexture2D* m_pobTexture;   ///< retained
    ccBlendFunc m_blendFunc;
};

NS_CC_END

#endif // __CC_SPRITE_BATCH_NODE_H__
