#include "actions/CCAction.h"

NS_CC_BEGIN

CCAction::CCAction()
: m_pOriginalTarget(NULL)
, m_pTarget(NULL)
, m_nTag(kCCActionTagInvalid)
{
}

CCAction::~CCAction()
{
}

CCAction* CCAction::create()
{
    CCAction* action = new CCAction();
    action->autorelease();
    return action;
}

bool CCAction::isDone()
{
    return true;
}

void CCAction::startWithTarget(CCNode* pTarget)
{
    m_pOriginalTarget = m_pTarget = pTarget;
}

void CCAction::stop()
{
    m_pTarget = NULL;
}

void CCAction::step(float dt)
{
    CC_UNUSED_PARAM(dt);
}

void CCAction::update(float time)
{
    CC_UNUSED_PARAM(time);
}

NS_CC_END
