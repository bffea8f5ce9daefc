#ifndef __CC_NOTIFICATION_CENTER_H__
#define __CC_NOTIFICATION_CENTER_H__

#include "base/CCObject.h"

#include <string>
#include <vector>

NS_CC_BEGIN

/** Named notifications ("event_fullscreen", ...) delivered to registered observers. */
class CCNotificationCenter
{
public:
    static CCNotificationCenter* sharedNotificationCenter();
    static void purgeNotificationCenter();

    /** The observer is called as (target->*selector)(object); obj, when set,
     *  drops posts that carry another object (posts without one still pass). */
    void addObserver(CCObject* target, SEL_CallFuncO selector, const char* name, CCObject* obj);
    void removeObserver(CCObject* target, const char* name);
    int removeAllObservers(CCObject* target);
    void postNotification(const char* name);
    void postNotification(const char* name, CCObject* object);

private:
    struct Observer
    {
        CCObject* target;   ///< weak: observers remove themselves before they die
        SEL_CallFuncO selector;
        std::string name;
        CCObject* object;   ///< weak filter
        bool removed;
    };

    CCNotificationCenter();
    ~CCNotificationCenter();
    void compact();

    std::vector<Observer*> m_observers;
    int m_postingDepth;
};

NS_CC_END

#endif // __CC_NOTIFICATION_CENTER_H__
