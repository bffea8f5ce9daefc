#include "platform/CCGamepadDispatcher.h"

#include <algorithm>

NS_CC_BEGIN

void CCGamepadDispatcher::addDelegate(CCGamepadDelegate* pDelegate)
{
    if (pDelegate && !hasDelegate(pDelegate))
    {
        m_delegates.push_back(pDelegate);
    }
}

void CCGamepadDispatcher::removeDelegate(CCGamepadDelegate* pDelegate)
{
    m_delegates.erase(std::remove(m_delegates.begin(), m_delegates.end(), pDelegate), m_delegates.end());
}

bool CCGamepadDispatcher::hasDelegate(CCGamepadDelegate* pDelegate) const
{
    return std::find(m_delegates.begin(), m_delegates.end(), pDelegate) != m_delegates.end();
}

void CCGamepadDispatcher::dispatchButton(bool pressed, int buttonCode, int value, int deviceHash)
{
    const std::vector<CCGamepadDelegate*> snapshot(m_delegates);
    for (size_t i = 0; i < snapshot.size(); ++i)
    {
        if (hasDelegate(snapshot[i]))
        {
            snapshot[i]->gamepadButtonEvent(pressed, buttonCode, value, deviceHash);
        }
    }
}

void CCGamepadDispatcher::dispatchAxis(int axis, int value, int deviceHash)
{
    const std::vector<CCGamepadDelegate*> snapshot(m_delegates);
    for (size_t i = 0; i < snapshot.size(); ++i)
    {
        if (hasDelegate(snapshot[i]))
        {
            snapshot[i]->gamepadAxisEvent(axis, value, deviceHash);
        }
    }
}

NS_CC_END
