#include "VornScreen.h"

#include "CCActionEase.h"
#include "CCActionInterval.h"
#include "CCBAnimationManager.h"
#include "CCBReader.h"
#include "CCDirector.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "GameManager.h"
#include "VornNodeLoaderLibrary.h"

#include <cstring>

USING_NS_CC_EXT;

NS_CC_BEGIN

namespace
{
/** The resolution scale layouts are read with: the game's play-area scale. */
void useGameResolutionScale()
{
    GameManager* manager = GameManager::getInstance();
    CCBReader::setResolutionScale(manager ? manager->getResolutionScale() : 1.0f);
}

enum
{
    kTimelineStarted = 0,
    kTimelineRefused = 1,
    kTimelineMissing = 2,
};
} // namespace

VornScreen::VornScreen()
    : m_pRootNode(NULL), m_pDefaultMenu(NULL), m_pDefaultMenuItem(NULL), m_bOpening(false), m_bClosing(false),
      m_fSlideDuration(0.0f), m_pReader(NULL), m_pMenuHandlerProxyArray(NULL)
{
}

VornScreen::~VornScreen()
{
    CC_SAFE_RELEASE(m_pMenuHandlerProxyArray);
    CC_SAFE_RELEASE(m_pRootNode);
    CC_SAFE_RELEASE(m_pReader);
    for (std::map<void*, CCObject*>::iterator it = m_storedMembers.begin(); it != m_storedMembers.end(); ++it)
    {
        it->second->release();
    }
}

bool VornScreen::initWithCCBFile(const char* name)
{
    if (!CCLayer::init())
    {
        return false;
    }
    if (!m_pMenuHandlerProxyArray)
    {
        m_pMenuHandlerProxyArray = CCArray::create();
        m_pMenuHandlerProxyArray->retain();
    }
    registerMemberVariable("defaultMenuItem", &m_pDefaultMenuItem);
    registerMemberVariable("defaultMenu", &m_pDefaultMenu);

    CC_SAFE_RELEASE_NULL(m_pReader);
    m_pReader = new CCBReader(VornNodeLoaderLibrary::newGameLibrary(), this, this);
    useGameResolutionScale();
    CCNode* root = m_pReader->readNodeGraphFromFile(name, this, CCDirector::sharedDirector()->getWinSize());
    if (!root)
    {
        CCLog("VornScreen::initWithCCBFile - cannot read the layout '%s'", name ? name : "(null)");
        return false;
    }
    CC_SAFE_RELEASE(m_pRootNode);
    m_pRootNode = root;
    m_pRootNode->retain();
    addChild(m_pRootNode);
    return true;
}

CCBAnimationManager* VornScreen::getAnimationManager()
{
    return m_pReader ? m_pReader->getAnimationManager() : NULL;
}

bool VornScreen::hasTimeline(const char* name)
{
    CCBAnimationManager* manager = getAnimationManager();
    return manager && name && manager->getSequenceId(name) >= 0;
}

bool VornScreen::runTimeline(const char* name, SEL_CallFunc callback, bool force)
{
    CCBAnimationManager* manager = getAnimationManager();
    if (!manager || (manager->getRunningSequenceName() && !force))
    {
        return false;
    }
    // An unknown name must not cut short the running timeline or take over its callback.
    if (!hasTimeline(name))
    {
        return false;
    }
    manager->runAnimationsForSequenceNamedTweenDuration(name, 0.0f);
    manager->setAnimationCompletedCallback(this, callback);
    const char* running = manager->getRunningSequenceName();
    return running && std::strcmp(running, name) == 0;
}

bool VornScreen::runTimelineOnNode(CCNode* node, const char* name, SEL_CallFunc callback)
{
    CCBAnimationManager* manager = m_pReader && node ? m_pReader->getAnimationManagerForNode(node) : NULL;
    if (!manager || manager->getRunningSequenceName() || !name || manager->getSequenceId(name) < 0)
    {
        return false;
    }
    manager->runAnimationsForSequenceNamedTweenDuration(name, 0.0f);
    if (callback)
    {
        manager->setAnimationCompletedCallback(this, callback);
    }
    const char* running = manager->getRunningSequenceName();
    return running && std::strcmp(running, name) == 0;
}

bool VornScreen::startOrFinish(const char* name, SEL_CallFunc callback, bool force)
{
    if (runTimeline(name, callback, force))
    {
        return true;
    }
    if (getAnimationManager() && !hasTimeline(name))
    {
        CCLog("VornScreen - the layout has no '%s' timeline; the screen skips it", name);
    }
    return false;
}

void VornScreen::open()
{
    if (isVisible())
    {
        return;
    }
    m_bOpening = true;
    bool missing = getAnimationManager() && !hasTimeline("open");
    if (!startOrFinish("open", callfunc_selector(VornScreen::onOpened), true) && !missing)
    {
        return;
    }
    setVisible(true);
    m_openingSignal.emit();
    if (isModal())
    {
        // A box over other screens takes the keys as it appears, not when it has settled:
        // until then they would still reach the screen beneath.
        focusDefaultMenu();
    }
    if (missing)
    {
        onOpened();
    }
}

bool VornScreen::isModal()
{
    CCMenuGamepad* menu = m_pDefaultMenuItem ? dynamic_cast<CCMenuGamepad*>(m_pDefaultMenuItem->getParent())
                                             : m_pDefaultMenu;
    return menu && menu->isGamepadLocked();
}

bool VornScreen::leaveByTimeline(const char* timeline, SEL_CallFunc ended)
{
    if (!isVisible() || m_bClosing)
    {
        return false;
    }
    m_bClosing = true;
    setTouchEnabled(false);
    if (!runTimeline(timeline, ended, true))
    {
        (this->*ended)();
    }
    return true;
}

void VornScreen::close()
{
    if (!isVisible() || isTimelineRunning())
    {
        return;
    }
    m_bClosing = true;
    bool missing = getAnimationManager() && !hasTimeline("close");
    if (!startOrFinish("close", callfunc_selector(VornScreen::onClosed), false) && !missing)
    {
        return;
    }
    setTouchEnabled(false);
    m_closingSignal.emit();
    if (missing)
    {
        onClosed();
    }
}

bool VornScreen::isOpen()
{
    return isVisible() && !m_bOpening && !m_bClosing;
}

void VornScreen::hide()
{
    stopAllActions();
    onClosed();
}

bool VornScreen::isTimelineRunning()
{
    CCBAnimationManager* manager = getAnimationManager();
    return manager && manager->getRunningSequenceName() != NULL;
}

void VornScreen::onOpened()
{
    finishOpening();
    focusDefaultMenu();
}

void VornScreen::finishOpening()
{
    m_bOpening = false;
    setTouchEnabled(true);
    m_openedSignal.emit();
}

void VornScreen::onClosed()
{
    m_bClosing = false;
    stopAllActions();
    setVisible(false);
    setTouchEnabled(false);
    m_closedSignal.emit();
}

void VornScreen::focusDefaultMenu()
{
    CCMenuGamepadInputDispatcher* dispatcher = CCMenuGamepadInputDispatcher::sharedDispatcher();
    if (m_pDefaultMenuItem)
    {
        dispatcher->setFocusMenuItem(m_pDefaultMenuItem, -1);
    }
    else if (m_pDefaultMenu)
    {
        dispatcher->setActiveMenu(m_pDefaultMenu, -1);
    }
}

void VornScreen::slideNode(CCNode* node, const CCPoint& from, const CCPoint& to, CCFiniteTimeAction* followUp)
{
    if (!node)
    {
        return;
    }
    node->setPosition(from);
    CCActionInterval* move = CCEaseInOut::create(CCMoveTo::create(m_fSlideDuration, to), 2.0f);
    node->runAction(followUp ? static_cast<CCAction*>(CCSequence::create(move, followUp, NULL)) : move);
}

void VornScreen::computeSlidePositions(CCNode* node, CCPoint out[3], bool leftToRight, bool returnSameWay)
{
    out[1] = node->getPosition();
    float d = node->getContentSize().width * node->getScaleX() * (leftToRight ? 1.0f : -1.0f);
    out[0] = ccp(out[1].x - d, out[1].y);
    out[2] = returnSameWay ? out[0] : ccp(out[1].x + d, out[1].y);
}

void VornScreen::registerMenuItemSelector(const char* name, SEL_VornScreenHandler handler)
{
    m_menuItemSelectors.push_back(std::make_pair(std::string(name ? name : ""), handler));
}

void VornScreen::registerGamepadMenuSelector(const char* name, SEL_VornScreenGamepadHandler handler)
{
    m_gamepadMenuSelectors.push_back(std::make_pair(std::string(name ? name : ""), handler));
}

void VornScreen::registerGamepadMenuQuery(const char* name, SEL_VornScreenGamepadQuery handler)
{
    m_gamepadMenuQueries.push_back(std::make_pair(std::string(name ? name : ""), handler));
}

MenuHandlerProxy* VornScreen::getMenuHandlerProxy(const char* name)
{
    std::string key = name ? name : "";
    MenuHandlerProxyMap::iterator it = m_menuHandlerProxies.find(key);
    if (it != m_menuHandlerProxies.end() && it->second)
    {
        return it->second;
    }
    MenuHandlerProxy* proxy = new MenuHandlerProxy();
    proxy->autorelease();
    proxy->setOwner(this);
    if (!m_pMenuHandlerProxyArray)
    {
        m_pMenuHandlerProxyArray = CCArray::create();
        m_pMenuHandlerProxyArray->retain();
    }
    m_pMenuHandlerProxyArray->addObject(proxy);
    m_menuHandlerProxies[key] = proxy;
    return proxy;
}

CCObject* VornScreen::onResolveCCBSelectorTarget(const char* pSelectorName)
{
    return getMenuHandlerProxy(pSelectorName);
}

bool VornScreen::bindProxy(const char* name)
{
    if (!name)
    {
        return false;
    }
    for (size_t i = 0; i < m_menuItemSelectors.size(); ++i)
    {
        if (m_menuItemSelectors[i].first == name)
        {
            getMenuHandlerProxy(name)->setMenuHandler(m_menuItemSelectors[i].second);
            return true;
        }
    }
    for (size_t i = 0; i < m_gamepadMenuSelectors.size(); ++i)
    {
        if (m_gamepadMenuSelectors[i].first == name)
        {
            getMenuHandlerProxy(name)->setGamepadMenuHandler(m_gamepadMenuSelectors[i].second);
            return true;
        }
    }
    for (size_t i = 0; i < m_gamepadMenuQueries.size(); ++i)
    {
        if (m_gamepadMenuQueries[i].first == name)
        {
            getMenuHandlerProxy(name)->setGamepadMenuQuery(m_gamepadMenuQueries[i].second);
            return true;
        }
    }
    return false;
}

SEL_MenuHandler VornScreen::onResolveCCBCCMenuItemSelector(CCObject* pTarget, const char* pSelectorName)
{
    CC_UNUSED_PARAM(pTarget);
    return bindProxy(pSelectorName) ? menu_selector(MenuHandlerProxy::forwardSelector) : NULL;
}

SEL_MenuGamepadHandler VornScreen::onResolveCCBMenuGamepadSelector(CCObject* pTarget, const char* pSelectorName)
{
    CC_UNUSED_PARAM(pTarget);
    return bindProxy(pSelectorName) ? menugamepad_selector(MenuHandlerProxy::forwardGamepadSelector) : NULL;
}

SEL_CCControlHandler VornScreen::onResolveCCBCCControlSelector(CCObject* pTarget, const char* pSelectorName)
{
    CC_UNUSED_PARAM(pTarget);
    CC_UNUSED_PARAM(pSelectorName);
    return NULL;
}

bool VornScreen::onAssignCCBMemberVariable(CCObject* pTarget, const char* pMemberVariableName, CCNode* pNode)
{
    CC_UNUSED_PARAM(pTarget);
    if (!pMemberVariableName || !pNode)
    {
        return false;
    }
    for (size_t i = 0; i < m_memberVariables.size(); ++i)
    {
        MemberVariable& entry = m_memberVariables[i];
        if (entry.name != pMemberVariableName)
        {
            continue;
        }
        CCObject* stored = entry.store(entry.slot, pNode);
        if (!stored)
        {
            CCLog("VornScreen - layout member '%s' is not the kind of node the screen expects; left unset",
                  pMemberVariableName);
            return true;
        }
        m_storedMembers[entry.slot] = stored;
        return true;
    }
    return false;
}

void VornScreen::cleanup()
{
    if (m_pReader)
    {
        // The managers hold the screen as their completion target; let go so it can be freed.
        CCArray* managers = m_pReader->getAnimationManagersForNodes();
        CCObject* object = NULL;
        CCARRAY_FOREACH(managers, object)
        {
            CCBAnimationManager* manager = static_cast<CCBAnimationManager*>(object);
            if (manager->getAnimationCompletedTarget() == this)
            {
                manager->setAnimationCompletedCallback(NULL, NULL);
            }
        }
        CCBAnimationManager* manager = m_pReader->getAnimationManager();
        manager->setAnimationCompletedCallback(NULL, NULL);
        CCNode* root = manager->getRootNode();
        manager->setRootNode(NULL);
        CC_SAFE_RELEASE(root);
        CC_SAFE_RELEASE_NULL(m_pReader);
    }
    // Proxies hold the screen too; a removed screen answers no more selectors.
    for (MenuHandlerProxyMap::iterator it = m_menuHandlerProxies.begin(); it != m_menuHandlerProxies.end(); ++it)
    {
        if (it->second)
        {
            it->second->setOwner(NULL);
        }
    }
    CCLayer::cleanup();
}

CCNode* VornScreen::createGameLayer()
{
    CCBReader* reader = new CCBReader(VornNodeLoaderLibrary::newGameLibrary());
    reader->autorelease();
    useGameResolutionScale();
    CCNode* root = reader->readNodeGraphFromFile("gamelayer", NULL, CCDirector::sharedDirector()->getWinSize());
    if (!root)
    {
        CCLog("VornScreen::createGameLayer - cannot read the layout 'gamelayer'");
    }
    return root;
}

NS_CC_END
