#ifndef __CC_NODE_H__
#define __CC_NODE_H__

#include "base/CCAffineTransform.h"
#include "base/CCArray.h"
#include "base/ccTypes.h"
#include "nodes/CCProtocols.h"

NS_CC_BEGIN

class CCAction;
class CCActionManager;
class CCScheduler;
class CCTouch;

enum
{
    kCCNodeTagInvalid = -1,
};

enum
{
    kCCNodeOnEnter,
    kCCNodeOnExit,
    kCCNodeOnEnterTransitionDidFinish,
    kCCNodeOnExitTransitionDidStart,
    kCCNodeOnCleanup,
};

/**
 * The scene graph's element. Children are kept ordered by z, then by arrival; a node's schedules
 * and actions wait until it enters the running scene. Transforms compose, from the parent's side:
 * translate(position) · rotate · scale · skew · translate(-anchor in points).
 */
class CCNode : public CCObject
{
public:
    CCNode();
    virtual ~CCNode();

    static CCNode* create(void);
    virtual bool init();

    // Children
    virtual void addChild(CCNode* child);
    virtual void addChild(CCNode* child, int zOrder);
    virtual void addChild(CCNode* child, int zOrder, int tag);
    CCNode* getChildByTag(int tag);
    /** The children, ordered by z then arrival (never NULL for a node made by init). */
    virtual CCArray* getChildren() { return m_pChildren; }
    unsigned int getChildrenCount(void) const;
    virtual void setParent(CCNode* parent) { m_pParent = parent; }
    virtual CCNode* getParent() { return m_pParent; }
    virtual void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeChild(CCNode* child);
    virtual void removeChild(CCNode* child, bool cleanup);
    virtual void removeChildByTag(int tag);
    virtual void removeChildByTag(int tag, bool cleanup);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    /** Moves the child after its siblings of the new z. */
    virtual void reorderChild(CCNode* child, int zOrder);
    /** Children are always kept sorted; kept for callers that ask. */
    virtual void sortAllChildren() {}

    // Geometry
    virtual void setZOrder(int zOrder);
    virtual void _setZOrder(int z) { m_nZOrder = z; }
    virtual int getZOrder() const { return m_nZOrder; }
    virtual void setVertexZ(float vertexZ) { m_fVertexZ = vertexZ; }
    virtual float getVertexZ() { return m_fVertexZ; }
    virtual void setPosition(const CCPoint& position);
    virtual const CCPoint& getPosition();
    virtual void setPosition(float x, float y);
    virtual void getPosition(float* x, float* y);
    virtual void setPositionX(float x);
    virtual float getPositionX(void);
    virtual void setPositionY(float y);
    virtual float getPositionY(void);
    virtual void setScaleX(float fScaleX);
    virtual float getScaleX();
    virtual void setScaleY(float fScaleY);
    virtual float getScaleY();
    virtual void setScale(float scale);
    /** The X scale (the two are assumed equal). */
    virtual float getScale();
    virtual void setScale(float fScaleX, float fScaleY);
    virtual void setSkewX(float fSkewX);
    virtual float getSkewX();
    virtual void setSkewY(float fSkewY);
    virtual float getSkewY();
    /** Degrees, clockwise. */
    virtual void setRotation(float fRotation);
    virtual float getRotation();
    virtual void setAnchorPoint(const CCPoint& anchorPoint);
    virtual const CCPoint& getAnchorPoint();
    virtual const CCPoint& getAnchorPointInPoints();
    virtual void setContentSize(const CCSize& contentSize);
    virtual const CCSize& getContentSize() const;
    virtual void setVisible(bool visible);
    virtual bool isVisible();
    /** When set, the position names the node's lower-left corner whatever its anchor. */
    virtual void ignoreAnchorPointForPosition(bool ignore);
    virtual bool isIgnoreAnchorPointForPosition();

    // Tag and user data
    virtual int getTag() const { return m_nTag; }
    virtual void setTag(int nTag) { m_nTag = nTag; }
    virtual void* getUserData() { return m_pUserData; }
    virtual void setUserData(void* pUserData) { m_pUserData = pUserData; }
    virtual CCObject* getUserObject() { return m_pUserObject; }
    /** Retained; the previous one is released. */
    virtual void setUserObject(CCObject* pUserObject);
    unsigned int getOrderOfArrival() const { return m_uOrderOfArrival; }
    void setOrderOfArrival(unsigned int uOrderOfArrival) { m_uOrderOfArrival = uOrderOfArrival; }

    // Life cycle
    virtual bool isRunning() { return m_bRunning; }
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExit();
    virtual void onExitTransitionDidStart();
    /** Stops the actions and schedules of this node and its whole subtree. */
    virtual void cleanup(void);
    /** Draws this node only (its children are visited separately); a plain node draws nothing. */
    virtual void draw(void);
    /** Children with z < 0, then draw, then the rest; an invisible node skips its subtree. */
    virtual void visit(void);
    /** The world transform of the node being visited (valid inside visit/draw). */
    static const CCAffineTransform& currentVisitTransform();

    virtual CCRect boundingBox(void);

    // Actions
    virtual void setActionManager(CCActionManager* actionManager);
    virtual CCActionManager* getActionManager() { return m_pActionManager; }
    CCAction* runAction(CCAction* action);
    void stopAllActions(void);
    void stopAction(CCAction* action);
    void stopActionByTag(int tag);
    CCAction* getActionByTag(int tag);
    unsigned int numberOfRunningActions(void);

    // Scheduling
    virtual void setScheduler(CCScheduler* scheduler);
    virtual CCScheduler* getScheduler() { return m_pScheduler; }
    bool isScheduled(SEL_SCHEDULE selector);
    void scheduleUpdate(void);
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate(void);
    void schedule(SEL_SCHEDULE selector);
    void schedule(SEL_SCHEDULE selector, float interval);
    void schedule(SEL_SCHEDULE selector, float interval, unsigned int repeat, float delay);
    void scheduleOnce(SEL_SCHEDULE selector, float delay);
    void unschedule(SEL_SCHEDULE selector);
    void unscheduleAllSelectors(void);
    void resumeSchedulerAndActions(void);
    void pauseSchedulerAndActions(void);
    virtual void update(float delta) { CC_UNUSED_PARAM(delta); }

    // Transforms
    virtual CCAffineTransform nodeToParentTransform(void);
    virtual CCAffineTransform parentToNodeTransform(void);
    virtual CCAffineTransform nodeToWorldTransform(void);
    virtual CCAffineTransform worldToNodeTransform(void);
    CCPoint convertToNodeSpace(const CCPoint& worldPoint);
    CCPoint convertToWorldSpace(const CCPoint& nodePoint);
    /** As convertToNodeSpace, relative to the anchor point. */
    CCPoint convertToNodeSpaceAR(const CCPoint& worldPoint);
    CCPoint convertToWorldSpaceAR(const CCPoint& nodePoint);
    CCPoint convertTouchToNodeSpace(CCTouch* touch);
    CCPoint convertTouchToNodeSpaceAR(CCTouch* touch);

protected:
    void insertChild(CCNode* child, int z);
    void detachChild(CCNode* child, bool doCleanup);
    void childrenSnapshot(CCArray* out);

    float m_fRotation;
    float m_fScaleX;
    float m_fScaleY;
    float m_fVertexZ;
    CCPoint m_obPosition;
    float m_fSkewX;
    float m_fSkewY;
    CCPoint m_obAnchorPointInPoints;
    CCPoint m_obAnchorPoint;
    CCSize m_obContentSize;
    CCAffineTransform m_sTransform;
    bool m_bTransformDirty;
    CCArray* m_pChildren;        ///< owned, retains the children
    CCNode* m_pParent;           ///< weak reference
    int m_nTag;
    void* m_pUserData;           ///< not owned
    CCObject* m_pUserObject;     ///< retained
    int m_nZOrder;
    unsigned int m_uOrderOfArrival;
    CCScheduler* m_pScheduler;           ///< retained
    CCActionManager* m_pActionManager;   ///< retained
    bool m_bRunning;
    bool m_bVisible;
    bool m_bIgnoreAnchorPointForPosition;
};

/** A node with its own colour and opacity, optionally cascading them to RGBA children. */
class CCNodeRGBA : public CCNode, public CCRGBAProtocol
{
public:
    CCNodeRGBA();
    static CCNodeRGBA* create(void);
    virtual bool init();

    virtual GLubyte getOpacity();
    virtual GLubyte getDisplayedOpacity();
    virtual void setOpacity(GLubyte opacity);
    virtual void updateDisplayedOpacity(GLubyte parentOpacity);
    virtual bool isCascadeOpacityEnabled();
    virtual void setCascadeOpacityEnabled(bool cascadeOpacityEnabled);

    virtual const ccColor3B& getColor(void);
    virtual const ccColor3B& getDisplayedColor();
    virtual void setColor(const ccColor3B& color);
    virtual void updateDisplayedColor(const ccColor3B& parentColor);
    virtual bool isCascadeColorEnabled();
    virtual void setCascadeColorEnabled(bool cascadeColorEnabled);

    virtual void setOpacityModifyRGB(bool bValue) { CC_UNUSED_PARAM(bValue); }
    virtual bool isOpacityModifyRGB() { return false; }

protected:
    GLubyte _displayedOpacity;
    GLubyte _realOpacity;
    ccColor3B _displayedColor;
    ccColor3B _realColor;
    bool _cascadeColorEnabled;
    bool _cascadeOpacityEnabled;
};

NS_CC_END

#endif // __CC_NODE_H__
