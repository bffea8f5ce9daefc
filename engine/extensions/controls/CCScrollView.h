#ifndef __CC_SCROLL_VIEW_H__
#define __CC_SCROLL_VIEW_H__

#include "base/CCArray.h"
#include "nodes/CCLayer.h"

NS_CC_EXT_BEGIN

typedef enum
{
    kCCScrollViewDirectionNone = -1,
    kCCScrollViewDirectionHorizontal = 0,
    kCCScrollViewDirectionVertical,
    kCCScrollViewDirectionBoth,
} CCScrollViewDirection;

class CCScrollView;

class CCScrollViewDelegate
{
public:
    virtual ~CCScrollViewDelegate() {}
    virtual void scrollViewDidScroll(CCScrollView* view) = 0;
    virtual void scrollViewDidZoom(CCScrollView* view) = 0;
};

/**
 * A window of viewSize onto a larger container. The content offset is the container's position:
 * it runs from minContainerOffset (the container's far end in view) to maxContainerOffset (0,0).
 * A drag moves the container with the finger (a bounceable view lets it run a fifth of the view
 * past either end); on release it glides on, slowing each frame, and then settles back inside
 * the offsets. The gliding is a scheduled selector, so unscheduleAllSelectors stops it.
 *
 * setContentSize/getContentSize name the container's size; the view's own size is viewSize.
 */
class CCScrollView : public cocos2d::CCLayer
{
public:
    CCScrollView();
    virtual ~CCScrollView();

    static CCScrollView* create();
    static CCScrollView* create(cocos2d::CCSize size, cocos2d::CCNode* container = NULL);
    virtual bool init();
    /** The container defaults to a new empty layer. */
    bool initWithViewSize(cocos2d::CCSize size, cocos2d::CCNode* container = NULL);

    // Offsets
    /** Animated moves take a short ease; plain moves clamp to the offsets unless bounceable. */
    void setContentOffset(cocos2d::CCPoint offset, bool animated = false);
    cocos2d::CCPoint getContentOffset();
    void setContentOffsetInDuration(cocos2d::CCPoint offset, float dt);
    cocos2d::CCPoint minContainerOffset();
    cocos2d::CCPoint maxContainerOffset();
    /** Moves the container back inside the offsets. */
    void relocateContainer(bool animated);
    bool isNodeVisible(cocos2d::CCNode* node);

    // State
    bool isDragging() { return m_bDragging; }
    bool isTouchMoved() { return m_bTouchMoved; }
    /** The distance the view still glides by in the next frame (0 when at rest). */
    const cocos2d::CCPoint& getScrollDistance() const { return m_tScrollDistance; }
    bool isBounceable() { return m_bBounceable; }
    void setBounceable(bool bBounceable) { m_bBounceable = bBounceable; }
    bool isClippingToBounds() { return m_bClippingToBounds; }
    void setClippingToBounds(bool bClippingToBounds) { m_bClippingToBounds = bClippingToBounds; }
    CCScrollViewDirection getDirection() { return m_eDirection; }
    virtual void setDirection(CCScrollViewDirection eDirection) { m_eDirection = eDirection; }
    CCScrollViewDelegate* getDelegate() { return m_pDelegate; }
    void setDelegate(CCScrollViewDelegate* pDelegate) { m_pDelegate = pDelegate; }

    // Sizes
    cocos2d::CCSize getViewSize() { return m_tViewSize; }
    void setViewSize(cocos2d::CCSize size);
    cocos2d::CCNode* getContainer() { return m_pContainer; }
    /** Replaces the container (placed at offset 0,0 with a zero anchor). */
    void setContainer(cocos2d::CCNode* pContainer);
    virtual const cocos2d::CCSize& getContentSize() const;
    virtual void setContentSize(const cocos2d::CCSize& size);
    /** The view's rectangle in world space. */
    cocos2d::CCRect getViewRect();

    // Touch
    virtual void registerWithTouchDispatcher();
    virtual bool ccTouchBegan(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchMoved(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchEnded(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);
    virtual void ccTouchCancelled(cocos2d::CCTouch* pTouch, cocos2d::CCEvent* pEvent);

    virtual void addChild(cocos2d::CCNode* child, int zOrder, int tag);
    virtual void addChild(cocos2d::CCNode* child, int zOrder);
    virtual void addChild(cocos2d::CCNode* child);
    virtual void visit();

    /** One frame of gliding after a drag. */
    void deaccelerateScrolling(float dt);

protected:
    void performedAnimatedScroll(float dt);
    void stoppedAnimatedScroll(cocos2d::CCNode* node);
    /** The clip to the view around the children (nothing happens without a renderer). */
    virtual void beforeDraw();
    virtual void afterDraw();
    /** How far past the offsets a bounceable drag may go. */
    cocos2d::CCPoint inset() const;
    cocos2d::CCPoint clampOffset(cocos2d::CCPoint offset, const cocos2d::CCPoint& slack);

    cocos2d::CCNode* m_pContainer;   ///< a child
    CCScrollViewDelegate* m_pDelegate;
    CCScrollViewDirection m_eDirection;
    bool m_bDragging;
    bool m_bTouchMoved;
    bool m_bBounceable;
    bool m_bClippingToBounds;
    cocos2d::CCPoint m_tTouchPoint;
    cocos2d::CCPoint m_tScrollDistance;
    cocos2d::CCSize m_tViewSize;
    cocos2d::CCArray* m_pTouches;   ///< the touches on the view now (at most one is tracked)
};

NS_CC_EXT_END

#endif // __CC_SCROLL_VIEW_H__
