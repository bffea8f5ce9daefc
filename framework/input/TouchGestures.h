#ifndef __TOUCH_GESTURES_H__
#define __TOUCH_GESTURES_H__

#include "CCLayer.h"
#include "Signal.h"

NS_CC_BEGIN

/**
 * Taps, holds and swipes of one touch on the right half of the window. A touch gives at most one
 * of them: a swipe once it has moved more than 15 points, a hold when it stays for holdTime, a tap
 * when it lifts sooner. Runs on the update signal, so it works while the game is paused.
 */
class TouchGestures : public CCLayer
{
public:
    static const int kTouchPriority = -127;

    TouchGestures();
    virtual ~TouchGestures();

    virtual bool init();
    /** Targeted, ahead of ordinary layers, without swallowing the touch. */
    virtual void registerWithTouchDispatcher();

    virtual bool ccTouchBegan(CCTouch* touch, CCEvent* event);
    virtual void ccTouchMoved(CCTouch* touch, CCEvent* event);
    virtual void ccTouchEnded(CCTouch* touch, CCEvent* event);
    virtual void ccTouchCancelled(CCTouch* touch, CCEvent* event);

    /** Counts the hold down while a touch is active. */
    void update(float dt);

    virtual CCTouch* getActiveTouch() const { return m_pActiveTouch; }
    /** Starting or ending a touch announces it on touchBeganSignal or touchEndedSignal. */
    virtual void setActiveTouch(CCTouch* touch);
    virtual const CCRect& getTouchArea() const { return m_touchArea; }
    virtual void setTouchArea(const CCRect& area) { m_touchArea = area; }
    virtual float getHoldTimer() const { return m_fHoldTimer; }
    virtual void setHoldTimer(float timer) { m_fHoldTimer = timer; }
    virtual float getHoldTime() const { return m_fHoldTime; }
    virtual void setHoldTime(float time) { m_fHoldTime = time; }
    virtual const CCPoint& getStartPoint() const { return m_startPoint; }
    virtual void setStartPoint(const CCPoint& point) { m_startPoint = point; }
    virtual Signal<>& getSwipeUpSignal() { return m_swipeUpSignal; }
    virtual void setSwipeUpSignal(const Signal<>& signal) { m_swipeUpSignal = signal; }
    virtual Signal<>& getSwipeDownSignal() { return m_swipeDownSignal; }
    virtual void setSwipeDownSignal(const Signal<>& signal) { m_swipeDownSignal = signal; }
    virtual Signal<>& getSwipeLeftSignal() { return m_swipeLeftSignal; }
    virtual void setSwipeLeftSignal(const Signal<>& signal) { m_swipeLeftSignal = signal; }
    virtual Signal<>& getSwipeRightSignal() { return m_swipeRightSignal; }
    virtual void setSwipeRightSignal(const Signal<>& signal) { m_swipeRightSignal = signal; }

    /** The layer's position when a touch starts. */
    Signal<CCPoint> touchBeganSignal;
    /** The layer's position when a touch ends. */
    Signal<CCPoint> touchEndedSignal;
    /** Where the touch lifted. */
    Signal<CCPoint> tapSignal;
    /** Where the touch was held. */
    Signal<CCPoint> holdSignal;

    /** A move must be longer than this to be a swipe. */
    static const float kSwipeDistance;

protected:
    CCTouch* m_pActiveTouch;  ///< retained while it is recognised
    CCRect m_touchArea;
    float m_fHoldTimer;
    float m_fHoldTime;
    CCPoint m_startPoint;
    Signal<> m_swipeUpSignal;
    Signal<> m_swipeDownSignal;
    Signal<> m_swipeLeftSignal;
    Signal<> m_swipeRightSignal;

private:
    class GameManager* m_pUpdateSource;
};

NS_CC_END

#endif // __TOUCH_GESTURES_H__
