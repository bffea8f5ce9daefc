#include "platform/CCKeypadDispatcher.h"

#include <algorithm>

NS_CC_BEGIN

void CCKeypadDispatcher::addDelegate(CCKeypadDelegate* pDelegate)
{
    if (pDelegate && !hasDelegate(pDelegate))
    {
        m_delegates.push_back(pDelegate);
    }
}

void CCKeypadDispatcher::removeDelegate(CCKeypadDelegate* pDelegate)
{
    m_delegates.erase(std::remove(m_delegates.begin(), m_delegates.end(), pDelegate), m_delegates.end());
}

bool CCKeypadDispatcher::hasDelegate(CCKeypadDelegate* pDelegate) const
{
    return std::find(m_delegates.begin(), m_delegates.end(), pDelegate) != m_delegates.end();
}

bool CCKeypadDispatcher::dispatchKeypadMSG(ccKeypadMSGType nMsgType)
{
    const std::vector<CCKeypadDelegate*> snapshot(m_delegates);
    for (size_t i = 0; i < snapshot.size(); ++i)
    {
        if (!hasDelegate(snapshot[i]))
        {
            continue;   // removed by an earlier callback
        }
        if (nMsgType == kTypeBackClicked)
        {
            snapshot[i]->keyBackClicked();
        }
        else
        {
            snapshot[i]->keyMenuClicked();
        }
    }
    return !snapshot.empty();
}

NS_CC_END
