#include "CCMenuGamepad.h"

#include "CCArray.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "SFXManager.h"

#include <cstdarg>

NS_CC_BEGIN

namespace
{
const char* const kSelectSound = "sfx/menu-select.mp3";
} // namespace

bool areAncestorsVisible(CCNode* node)
{
    for (CCNode* ancestor = node ? node->getParent() : NULL; ancestor != NULL; ancestor = ancestor->getParent())
    {
        if (!ancestor->isVisible())
        {
            return false;
        }
    }
    return true;
}

CCMenuGamepad::CCMenuGamepad()
    : m_nGamepadValue1(0)
    , m_nGamepadValue2(0)
    , m_nGamepadIndex(-1)
    , m_bGamepadLocked(false)
    , m_bActivateOnSelection(false)
    , m_bGamepadEnabled(true)
{
    for (int i = 0; i < kMenuGamepadInput_MAX; ++i)
    {
        m_pHandlerTargets[i] = NULL;
        m_pHandlers[i] = NULL;
    }
}

CCMenuGamepad::~CCMenuGamepad()
{
    CCMenuGamepadInputDispatcher::sharedDispatcher()->forgetDestroyedMenu(this);
}

CCMenuGamepad* CCMenuGamepad::create()
{
    return create((CCMenuItem*)NULL);
}

CCMenuGamepad* CCMenuGamepad::create(CCMenuItem* item, ...)
{
    CCArray* items = CCArray::create();
    va_list args;
    va_start(args, item);
    for (CCMenuItem* next = item; next != NULL; next = va_arg(args, CCMenuItem*))
    {
        items->addObject(next);
    }
    va_end(args);

    CCMenuGamepad* menu = new CCMenuGamepad();
    if (menu->initWithArray(items))
    {
        menu->autorelease();
        return menu;
    }
    delete menu;
    return NULL;
}

bool CCMenuGamepad::initWithArray(CCArray* arrayOfItems)
{
    bool ok = CCMenu::initWithArray(arrayOfItems);
    if (ok)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->addMenu(this);
    }
    m_selectSound = kSelectSound;
    if (SFXManager* sfx = SFXManager::sharedSFXManager())
    {
        sfx->preloadSFX(m_selectSound.c_str());
    }
    return ok;
}

void CCMenuGamepad::setGamepadHandler(int index, CCObject* target, SEL_MenuGamepadHandler handler)
{
    if (index < 0 || index >= kMenuGamepadInput_MAX)
    {
        return;
    }
    m_pHandlerTargets[index] = target;
    m_pHandlers[index] = handler;
}

CCObject* CCMenuGamepad::getGamepadHandlerTarget(int index)
{
    return index >= 0 && index < kMenuGamepadInput_MAX ? m_pHandlerTargets[index] : NULL;
}

SEL_MenuGamepadHandler CCMenuGamepad::getGamepadHandler(int index)
{
    return index >= 0 && index < kMenuGamepadInput_MAX ? m_pHandlers[index] : NULL;
}

bool CCMenuGamepad::callSelector(int index, int player)
{
    if (index < 0 || index >= kMenuGamepadInput_MAX)
    {
        return false;
    }
    CCObject* target = m_pHandlerTargets[index];
    SEL_MenuGamepadHandler handler = m_pHandlers[index];
    if (target == NULL || handler == NULL)
    {
        return false;
    }
    if (!isShowing() || !isGamepadEnabled() || !isTouchEnabled())
    {
        return false;
    }
    return (target->*handler)(player);
}

bool CCMenuGamepad::isShowing()
{
    if (!isVisible() || !areAncestorsVisible(this))
    {
        return false;
    }
    for (CCNode* node = this; node != NULL; node = node->getParent())
    {
        if (node->getScaleX() == 0.0f || node->getScaleY() == 0.0f)
        {
            return false;
        }
    }
    return true;
}

void CCMenuGamepad::cleanup()
{
    CCMenuGamepadInputDispatcher::sharedDispatcher()->removeMenu(this);
    CCMenu::cleanup();
}

void CCMenuGamepad::ccTouchEnded(CCTouch* touch, CCEvent* event)
{
    if (m_pSelectedItem != NULL)
    {
        if (SFXManager* sfx = SFXManager::sharedSFXManager())
        {
            sfx->playSFX(m_selectSound.c_str());
        }
    }
    CCMenu::ccTouchEnded(touch, event);
}

NS_CC_END
