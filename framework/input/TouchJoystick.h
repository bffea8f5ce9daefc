#ifndef __TOUCH_JOYSTICK_H__
#define __TOUCH_JOYSTICK_H__

#include "CCLayer.h"
#include "CCSprite.h"
#include "Signal.h"

NS_CC_BEGIN

/**
 * A virtual stick on the left half of the window. A touch there re-centres the stick under the
 * finger; dragging moves the nub up to radius away. Every game frame moveSignal carries the stick
 * as a vector of length at most 1 (x right, y up). The layer's position is the stick's centre.
 */
class TouchJoystick : public CCLayer
{
public:
    static const int kTouchPriority = -127;

    TouchJoystick();
    virtual ~TouchJoystick();

    virtual bool init();
    /** Targeted, ahead of ordinary layers, without swallowing the touch. */
    virtual void registerWithTouchDispatcher();

    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event);
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event);
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event);
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event);

    /** On the game update: the stick vector, (0, 0) when no touch holds it. */
    void update(float dt);

    virtual CCSprite* getBaseSprite() const { return m_pBaseSprite; }
    virtual void setBaseSprite(CCSprite* sprite) { m_pBaseSprite = sprite; }
    virtual CCSprite* getNubSprite() const { return m_pNubSprite; }
    virtual void setNubSprite(CCSprite* sprite) { m_pNubSprite = sprite; }
    virtual CCTouch* getActiveTouch() const { return m_pActiveTouch; }
    /** A new touch resets the nub; letting go shows (0, 0) at once. */
    virtual void setActiveTouch(CCTouch* touch);
    virtual const CCPoint& getStickOffset() const { return m_stickOffset; }
    virtual void setStickOffset(const CCPoint& offset) { m_stickOffset = offset; }
    virtual const CCRect& getTouchArea() const { return m_touchArea; }
    virtual void setTouchArea(const CCRect& area) { m_touchArea = area; }
    virtual float getRadius() const { return m_fRadius; }
    virtual void setRadius(float radius) { m_fRadius = radius; }
    virtual bool getEnabled() const { return m_bEnabled; }
    virtual void setEnabled(bool enabled) { m_bEnabled = enabled; }
    virtual Signal<CCPoint>& getMoveSignal() { return m_moveSignal; }
    virtual void setMoveSignal(const Signal<CCPoint>& signal) { m_moveSignal = signal; }

protected:
    void placeNub(const CCPoint& offset);

    CCSprite* m_pBaseSprite;  ///< retained, also a child
    CCSprite* m_pNubSprite;   ///< retained, also a child
    CCTouch* m_pActiveTouch;  ///< retained while it drives the stick
    CCPoint m_stickOffset;
    CCRect m_touchArea;
    float m_fRadius;
    bool m_bEnabled;
    Signal<CCPoint> m_moveSignal;

private:
    class GameManager* m_pUpdateSource;
};

NS_CC_END

#endif // __TOUCH_JOYSTICK_H__
