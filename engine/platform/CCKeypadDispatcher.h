#ifndef __CC_KEYPAD_DISPATCHER_H__
#define __CC_KEYPAD_DISPATCHER_H__

#include "base/CCObject.h"
#include "nodes/CCTouchDelegateProtocol.h"

#include <vector>

NS_CC_BEGIN

typedef enum
{
    kTypeBackClicked = 1,
    kTypeMenuClicked,
} ccKeypadMSGType;

/**
 * The phone back and menu keys. A desktop has neither, so nothing sends them; delegates are
 * kept (not retained) so layers can register and unregister as anywhere else.
 */
class CCKeypadDispatcher : public CCObject
{
public:
    void addDelegate(CCKeypadDelegate* pDelegate);
    void removeDelegate(CCKeypadDelegate* pDelegate);
    bool hasDelegate(CCKeypadDelegate* pDelegate) const;
    /** Calls keyBackClicked or keyMenuClicked of every delegate; true when there was one. */
    bool dispatchKeypadMSG(ccKeypadMSGType nMsgType);

private:
    std::vector<CCKeypadDelegate*> m_delegates;
};

NS_CC_END

#endif // __CC_KEYPAD_DISPATCHER_H__
