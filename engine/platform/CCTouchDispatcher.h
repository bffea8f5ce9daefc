#ifndef __CC_TOUCH_DISPATCHER_H__
#define __CC_TOUCH_DISPATCHER_H__

#include "base/CCObject.h"
#include "base/CCSet.h"
#include "nodes/CCTouchDelegateProtocol.h"

#include <vector>

NS_CC_BEGIN

/** One registration: the delegate (retained when it is a CCObject), its priority and mode. */
class CCTouchHandler : public CCObject
{
public:
    CCTouchHandler(CCTouchDelegate* delegate, int priority, bool targeted, bool swallows);
    virtual ~CCTouchHandler();

    CCTouchDelegate* getDelegate() { return m_pDelegate; }
    int getPriority() const { return m_nPriority; }
    void setPriority(int priority) { m_nPriority = priority; }
    bool isTargeted() const { return m_bTargeted; }
    bool isSwallowsTouches() const { return m_bSwallowsTouches; }
    /** Touches this targeted delegate claimed in ccTouchBegan and has not seen end. */
    CCSet* getClaimedTouches() { return m_pClaimedTouches; }
    bool isRemoved() const { return m_bRemoved; }
    void markRemoved() { m_bRemoved = true; }

private:
    CCTouchDelegate* m_pDelegate;
    CCObject* m_pDelegateObject;   ///< retained, NULL when the delegate is no CCObject
    int m_nPriority;
    bool m_bTargeted;
    bool m_bSwallowsTouches;
    bool m_bRemoved;
    CCSet* m_pClaimedTouches;      ///< owned
};

/**
 * Hands touches to delegates. Targeted delegates come first, lowest priority value first (ties in
 * order of registration); each gets one touch at a time and owns it from the moment ccTouchBegan
 * returns true, and a swallowing one keeps that touch from every delegate after it. Standard
 * delegates then get the remaining touches as a set.
 *
 * Delegates may be added or removed from inside a callback: a removed delegate gets no further
 * calls, an added one takes part from the next event.
 */
class CCTouchDispatcher : public CCObject
{
public:
    CCTouchDispatcher();
    virtual ~CCTouchDispatcher();
    bool init();

    void addStandardDelegate(CCTouchDelegate* pDelegate, int nPriority);
    void addTargetedDelegate(CCTouchDelegate* pDelegate, int nPriority, bool bSwallowsTouches);
    void removeDelegate(CCTouchDelegate* pDelegate);
    void removeAllDelegates(void);
    void setPriority(int nPriority, CCTouchDelegate* pDelegate);
    CCTouchHandler* findHandler(CCTouchDelegate* pDelegate);

    bool isDispatchEvents(void) const { return m_bDispatchEvents; }
    void setDispatchEvents(bool bDispatchEvents) { m_bDispatchEvents = bDispatchEvents; }

    void touchesBegan(CCSet* touches, CCEvent* pEvent);
    void touchesMoved(CCSet* touches, CCEvent* pEvent);
    void touchesEnded(CCSet* touches, CCEvent* pEvent);
    void touchesCancelled(CCSet* touches, CCEvent* pEvent);

private:
    enum Phase
    {
        kPhaseBegan,
        kPhaseMoved,
        kPhaseEnded,
        kPhaseCancelled,
    };
    void insertHandler(std::vector<CCTouchHandler*>& list, CCTouchHandler* handler);
    /** Takes the delegate's handler (still retained) out of its list, named in `list`; NULL if none. */
    CCTouchHandler* detachHandler(CCTouchDelegate* pDelegate, std::vector<CCTouchHandler*>*& list);
    void dispatch(CCSet* touches, CCEvent* pEvent, Phase phase);

    std::vector<CCTouchHandler*> m_targeted;   ///< retained, sorted by priority
    std::vector<CCTouchHandler*> m_standard;   ///< retained, sorted by priority
    bool m_bDispatchEvents;
};

NS_CC_END

#endif // __CC_TOUCH_DISPATCHER_H__
