#ifndef __CC_SLIDER_H__
#define __CC_SLIDER_H__

#include "CCNode.h"
#include "CCTouchDelegateProtocol.h"

NS_CC_BEGIN

/**
 * A horizontal touch slider made of a track and a thumb. Its node space has the origin at the
 * centre of travel: the thumb's x runs from -length/2 (minimum) to +length/2 (maximum), where
 * length is the track's width minus the thumb's. Every change is reported to the target's
 * callback, which receives the slider.
 *
 * A track no wider than the thumb, or an empty range, leaves nothing to travel: the value is the
 * minimum and the thumb sits at the start.
 */
class CCSlider : public CCNode, public CCTouchDelegate
{
public:
    CCSlider();
    virtual ~CCSlider();

    /** NULL when the track or the thumb is missing. */
    static CCSlider* create(CCNode* track, CCNode* thumb, CCObject* target, SEL_MenuHandler callback);
    /** Adds the track and then the thumb; the value stays 0 until setValue. False without a thumb. */
    virtual bool init(CCObject* target, SEL_MenuHandler callback);

    /** Clamped to the range; moves the thumb and tells the target. Ignored while disabled. */
    void setValue(float value);
    float getValue() const { return m_fValue; }
    float getMinimumValue() const { return m_fMinimum; }
    void setMinimumValue(float minimum) { m_fMinimum = minimum; }
    float getMaximumValue() const { return m_fMaximum; }
    void setMaximumValue(float maximum) { m_fMaximum = maximum; }
    bool isEnabled() const { return m_bEnabled; }
    void setEnabled(bool enabled) { m_bEnabled = enabled; }
    bool isDragging() const { return m_bDragging; }
    bool getTrackOutside() const { return m_bTrackOutside; }
    void setTrackOutside(bool trackOutside) { m_bTrackOutside = trackOutside; }
    bool getJumpToTouch() const { return m_bJumpToTouch; }
    void setJumpToTouch(bool jumpToTouch) { m_bJumpToTouch = jumpToTouch; }
    float getLength() const { return m_fLength; }
    float getHeight() const { return m_fHeight; }
    CCNode* getTrack() { return m_pTrack; }
    CCNode* getThumb() { return m_pThumb; }

    /** Registers for touches (priority 0, swallowing) while on stage. */
    virtual void onEnter();
    virtual void onExit();

    virtual bool ccTouchBegan(CCTouch* pTouch, CCEvent* pEvent);
    virtual void ccTouchMoved(CCTouch* pTouch, CCEvent* pEvent);
    virtual void ccTouchEnded(CCTouch* pTouch, CCEvent* pEvent);
    virtual void ccTouchCancelled(CCTouch* pTouch, CCEvent* pEvent);

protected:
    /** Moves the thumb to x (clamped to the travel) and derives the value from it. */
    void setValueFromX(float x);

private:
    bool canTravel() const;
    float travel() const;
    CCRect touchArea() const;
    bool isShownAndEnabled();
    void placeThumb(float x);
    void notify();

    float m_fMinimum;
    float m_fMaximum;
    float m_fValue;
    CCObject* m_pTarget;          ///< weak
    SEL_MenuHandler m_pCallback;
    bool m_bDragging;
    bool m_bTrackOutside;
    bool m_bJumpToTouch;
    bool m_bEnabled;
    float m_fLength;
    float m_fHeight;
    CCNode* m_pTrack;             ///< a child
    CCNode* m_pThumb;             ///< a child
};

NS_CC_END

#endif // __CC_SLIDER_H__
