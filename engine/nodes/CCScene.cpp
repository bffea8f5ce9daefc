#include "nodes/CCScene.h"

#include "nodes/CCDirector.h"

NS_CC_BEGIN

CCScene::CCScene()
{
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(ccp(0.5f, 0.5f));
}

CCScene* CCScene::create()
{
    CCScene* pRet = new CCScene();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCScene::init()
{
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

NS_CC_END
