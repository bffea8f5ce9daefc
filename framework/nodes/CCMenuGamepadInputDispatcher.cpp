#include "CCMenuGamepadInputDispatcher.h"

#include "CCAffineTransform.h"
#include "CCApplicationProtocol.h"
#include "CCArray.h"
#include "CCDirector.h"
#include "CCMenuGamepad.h"
#include "GameManager.h"

#include <algorithm>
#include <cmath>

NS_CC_BEGIN

namespace
{
CCMenuGamepadInputDispatcher* s_pSharedDispatcher = NULL;

// Players an operation covers: all four for a negative index, none past the last.
void playerRange(int player, int* first, int* last)
{
    if (player < 0)
    {
        *first = 0;
        *last = kMenuGamepadPlayer_MAX - 1;
    }
    else
    {
        *first = player;
        *last = player < kMenuGamepadPlayer_MAX ? player : player - 1;
    }
}

bool validPlayer(int player)
{
    return player >= 0 && player < kMenuGamepadPlayer_MAX;
}

CCRect worldBox(CCNode* node)
{
    const CCSize& size = node->getContentSize();
    return CCRectApplyAffineTransform(CCRect(0, 0, size.width, size.height), node->nodeToWorldTransform());
}

struct Entry
{
    CCMenuItem* item;
    CCRect box;
};

// The enabled, showing candidate nearest to the focused item whose centre lies past the focused
// box's edge in the direction; a sideways offset counts double, so a near neighbour in the next
// row beats a far one. NULL when there is none.
CCMenuItem* nearestBeyond(const std::vector<CCMenuItem*>& candidates, CCMenuItem* focus, int direction)
{
    CCRect from = worldBox(focus);
    CCPoint centre(from.getMidX(), from.getMidY());
    CCMenuItem* best = NULL;
    float bestScore = 0.0f;
    for (CCMenuItem* item : candidates)
    {
        CCMenuGamepad* menu = dynamic_cast<CCMenuGamepad*>(item->getParent());
        if (item == focus || !item->isEnabled() || menu == NULL || !menu->isShowing())
        {
            continue;
        }
        CCRect box = worldBox(item);
        CCPoint mid(box.getMidX(), box.getMidY());
        float along = 0.0f;
        float aside = 0.0f;
        switch (direction)
        {
        case kMenuGamepadInput_Up: along = mid.y - from.getMaxY(); aside = fabsf(mid.x - centre.x); break;
        case kMenuGamepadInput_Down: along = from.getMinY() - mid.y; aside = fabsf(mid.x - centre.x); break;
        case kMenuGamepadInput_Left: along = from.getMinX() - mid.x; aside = fabsf(mid.y - centre.y); break;
        default: along = mid.x - from.getMaxX(); aside = fabsf(mid.y - centre.y); break;
        }
        if (along <= 0.0f)
        {
            continue;
        }
        float score = along + 2.0f * aside;
        if (best == NULL || score < bestScore)
        {
            best = item;
            bestScore = score;
        }
    }
    return best;
}
} // namespace

CCMenuGamepadInputDispatcher::CCMenuGamepadInputDispatcher()
    : m_bShowSelection(false)
{
    for (int i = 0; i < kMenuGamepadPlayer_MAX; ++i)
    {
        m_pFocusItem[i] = NULL;
        m_pActiveMenu[i] = NULL;
    }
}

CCMenuGamepadInputDispatcher::~CCMenuGamepadInputDispatcher()
{
    for (int i = 0; i < kMenuGamepadPlayer_MAX; ++i)
    {
        CC_SAFE_RELEASE(m_pFocusItem[i]);
        CC_SAFE_RELEASE(m_pActiveMenu[i]);
    }
}

CCMenuGamepadInputDispatcher* CCMenuGamepadInputDispatcher::sharedDispatcher()
{
    if (s_pSharedDispatcher == NULL)
    {
        s_pSharedDispatcher = new CCMenuGamepadInputDispatcher();
        s_pSharedDispatcher->init();
    }
    return s_pSharedDispatcher;
}

bool CCMenuGamepadInputDispatcher::init()
{
    m_menus.clear();
    for (int i = 0; i < kMenuGamepadPlayer_MAX; ++i)
    {
        storeFocus(i, NULL);
        storeActiveMenu(i, NULL);
    }
    // Platforms whose players steer menus with keys or pads show the highlight from the start.
    static const int kSelectionPlatforms[] = { kTargetOuya, kTargetGameStick, kTargetGamepadConsole, kTargetWindows,
                                               kTargetMacOS };
    m_bShowSelection = false;
    for (int platform : kSelectionPlatforms)
    {
        if (GameManager::isPlatformType(platform))
        {
            m_bShowSelection = true;
            break;
        }
    }
    return true;
}

CCArray* CCMenuGamepadInputDispatcher::getMenus()
{
    CCArray* menus = CCArray::createWithCapacity((unsigned int)m_menus.size());
    for (CCMenuGamepad* menu : m_menus)
    {
        menus->addObject(menu);
    }
    return menus;
}

void CCMenuGamepadInputDispatcher::setMenus(CCArray* menus)
{
    m_menus.clear();
    for (unsigned int i = 0; menus != NULL && i < menus->count(); ++i)
    {
        addMenu(dynamic_cast<CCMenuGamepad*>(menus->objectAtIndex(i)));
    }
}

void CCMenuGamepadInputDispatcher::storeFocus(int player, CCMenuItem* item)
{
    CC_SAFE_RETAIN(item);
    CC_SAFE_RELEASE(m_pFocusItem[player]);
    m_pFocusItem[player] = item;
}

void CCMenuGamepadInputDispatcher::storeActiveMenu(int player, CCMenuGamepad* menu)
{
    CC_SAFE_RETAIN(menu);
    CC_SAFE_RELEASE(m_pActiveMenu[player]);
    m_pActiveMenu[player] = menu;
}

CCMenuItem* CCMenuGamepadInputDispatcher::getFocusMenuItem(int player)
{
    return validPlayer(player) ? m_pFocusItem[player] : NULL;
}

CCMenuGamepad* CCMenuGamepadInputDispatcher::getActiveMenu(int player)
{
    return validPlayer(player) ? m_pActiveMenu[player] : NULL;
}

void CCMenuGamepadInputDispatcher::addMenu(CCMenuGamepad* menu)
{
    if (menu != NULL && std::find(m_menus.begin(), m_menus.end(), menu) == m_menus.end())
    {
        m_menus.push_back(menu);
    }
}

void CCMenuGamepadInputDispatcher::clearReferencesTo(CCMenuGamepad* menu)
{
    for (int p = 0; p < kMenuGamepadPlayer_MAX; ++p)
    {
        if (m_pActiveMenu[p] == menu)
        {
            storeActiveMenu(p, NULL);
        }
        if (m_pFocusItem[p] != NULL && m_pFocusItem[p]->getParent() == menu)
        {
            storeFocus(p, NULL);
        }
    }
}

bool CCMenuGamepadInputDispatcher::removeMenu(CCMenuGamepad* menu)
{
    std::vector<CCMenuGamepad*>::iterator it = std::find(m_menus.begin(), m_menus.end(), menu);
    if (menu == NULL || it == m_menus.end())
    {
        return false;
    }
    m_menus.erase(it);
    menu->retain();  // clearing the active menu may drop the last reference
    clearReferencesTo(menu);
    menu->release();
    return true;
}

void CCMenuGamepadInputDispatcher::forgetDestroyedMenu(CCMenuGamepad* menu)
{
    // A menu being destroyed is nobody's active menu (that would hold a reference), but its items
    // may still be focused.
    std::vector<CCMenuGamepad*>::iterator it = std::find(m_menus.begin(), m_menus.end(), menu);
    if (it != m_menus.end())
    {
        m_menus.erase(it);
    }
    for (int p = 0; p < kMenuGamepadPlayer_MAX; ++p)
    {
        if (m_pFocusItem[p] != NULL && m_pFocusItem[p]->getParent() == menu)
        {
            storeFocus(p, NULL);
        }
    }
}

void CCMenuGamepadInputDispatcher::setActiveMenu(CCMenuGamepad* menu, int player)
{
    if (menu == NULL)
    {
        return;
    }
    CCMenuItem* item = menu->getSelectedItem();
    if (item == NULL && menu->getChildrenCount() > 0)
    {
        item = dynamic_cast<CCMenuItem*>(menu->getChildren()->objectAtIndex(0));
    }
    int first = 0;
    int last = 0;
    playerRange(player, &first, &last);
    for (int p = first; p <= last; ++p)
    {
        storeActiveMenu(p, menu);
        setFocusMenuItem(item, p);
    }
}

void CCMenuGamepadInputDispatcher::setFocusMenuItem(CCMenuItem* item, int player)
{
    int first = 0;
    int last = 0;
    playerRange(player, &first, &last);
    CCMenuGamepad* menu = item != NULL ? dynamic_cast<CCMenuGamepad*>(item->getParent()) : NULL;
    bool changed = false;
    for (int p = first; p <= last; ++p)
    {
        if (m_pFocusItem[p] == item)
        {
            continue;
        }
        changed = true;
        if (m_pFocusItem[p] != NULL)
        {
            m_pFocusItem[p]->unselected();
        }
        storeFocus(p, item);
        storeActiveMenu(p, menu);
        if (menu != NULL)
        {
            menu->setSelectedMenuItem(item);
            if (m_bShowSelection)
            {
                item->selected();
            }
        }
    }
    // One activation however many players took the focus.
    if (changed && menu != NULL && menu->getActivateOnSelection() && item->isEnabled())
    {
        item->retain();
        item->activate();
        item->release();
    }
}

std::vector<CCMenuItem*> CCMenuGamepadInputDispatcher::candidateItems(int player)
{
    std::vector<CCMenuItem*> items;
    std::vector<CCMenuGamepad*> menus;
    CCMenuGamepad* active = m_pActiveMenu[player];
    if (active != NULL && active->isGamepadLocked())
    {
        menus.push_back(active);
    }
    else
    {
        menus = m_menus;
    }
    for (CCMenuGamepad* menu : menus)
    {
        if (!menu->isGamepadEnabled() || !menu->isTouchEnabled() || !menu->isShowing())
        {
            continue;
        }
        CCArray* children = menu->getChildren();
        for (unsigned int i = 0; children != NULL && i < children->count(); ++i)
        {
            CCMenuItem* item = dynamic_cast<CCMenuItem*>(children->objectAtIndex(i));
            if (item != NULL && item->isVisible())
            {
                items.push_back(item);
            }
        }
    }
    return items;
}

void CCMenuGamepadInputDispatcher::dropStaleFocus(int player, const std::vector<CCMenuItem*>& candidates)
{
    CCMenuItem* focus = m_pFocusItem[player];
    if (candidates.empty() || focus == NULL)
    {
        return;
    }
    if (std::find(candidates.begin(), candidates.end(), focus) == candidates.end())
    {
        focus->unselected();
        storeFocus(player, NULL);
    }
}

void CCMenuGamepadInputDispatcher::moveSelection(int direction, int player)
{
    if (!validPlayer(player) || direction < kMenuGamepadInput_Up || direction > kMenuGamepadInput_Right)
    {
        return;
    }
    std::vector<CCMenuItem*> candidates = candidateItems(player);
    dropStaleFocus(player, candidates);

    const CCSize& win = CCDirector::sharedDirector()->getWinSize();
    CCMenuItem* focus = m_pFocusItem[player];
    CCRect area(0, 0, win.width, win.height);
    if (focus != NULL)
    {
        area = worldBox(focus);
        if (direction == kMenuGamepadInput_Up || direction == kMenuGamepadInput_Down)
        {
            area.origin.y = 0;
            area.size.height = win.height;
        }
        else
        {
            area.origin.x = 0;
            area.size.width = win.width;
        }
    }

    std::vector<Entry> entries;
    for (CCMenuItem* item : candidates)
    {
        if (!item->isEnabled() || !areAncestorsVisible(item->getParent()))
        {
            continue;
        }
        CCRect box = worldBox(item);
        if (area.containsPoint(ccp(box.getMidX(), box.getMidY())))
        {
            entries.push_back(Entry{ item, box });
        }
    }
    if (entries.empty())
    {
        return;
    }

    // Stable, so that items sharing a row or column keep their menu order.
    std::stable_sort(entries.begin(), entries.end(), [direction](const Entry& a, const Entry& b) {
        switch (direction)
        {
        case kMenuGamepadInput_Up: return a.box.origin.y < b.box.origin.y;
        case kMenuGamepadInput_Down: return a.box.origin.y > b.box.origin.y;
        case kMenuGamepadInput_Left: return a.box.origin.x > b.box.origin.x;
        default: return a.box.origin.x < b.box.origin.x;
        }
    });

    CCMenuItem* next = entries[0].item;
    for (size_t i = 0; focus != NULL && i < entries.size(); ++i)
    {
        if (entries[i].item == focus)
        {
            // Nothing further up or down in the focused item's own column: an item off to the side
            // in that direction is nearer to the eye than wrapping round to the far end. Rows
            // still wrap.
            bool vertical = direction == kMenuGamepadInput_Up || direction == kMenuGamepadInput_Down;
            CCMenuItem* aside =
                vertical && i + 1 == entries.size() ? nearestBeyond(candidates, focus, direction) : NULL;
            next = aside != NULL ? aside : entries[(i + 1) % entries.size()].item;
            break;
        }
    }
    if (next == focus)
    {
        return;
    }
    m_bShowSelection = true;
    if (focus != NULL)
    {
        focus->unselected();
    }
    next->retain();  // the focus change may run an item's handler
    setFocusMenuItem(next, player);
    next->selected();
    next->release();
}

void CCMenuGamepadInputDispatcher::activateSelectedItem(int player)
{
    if (!validPlayer(player))
    {
        return;
    }
    dropStaleFocus(player, candidateItems(player));
    CCMenuGamepad* menu = m_pActiveMenu[player];
    if (menu == NULL)
    {
        return;
    }
    menu->retain();
    if (!menu->callSelector(kMenuGamepadInput_Action, player) && menu->isShowing())
    {
        CCMenuItem* item = m_pFocusItem[player];
        if (item != NULL && item->isSelected() && item->isEnabled())
        {
            item->retain();
            storeFocus(player, NULL);
            item->unselected();
            item->activate();
            item->release();
        }
    }
    menu->release();
}

void CCMenuGamepadInputDispatcher::handleMenuInput(int input, int player)
{
    if (!validPlayer(player))
    {
        return;
    }
    CCMenuGamepad* menu = m_pActiveMenu[player];
    CC_SAFE_RETAIN(menu);  // a handler may change the active menu while it runs
    switch (input)
    {
    case kMenuGamepadInput_Up:
    case kMenuGamepadInput_Down:
    case kMenuGamepadInput_Left:
    case kMenuGamepadInput_Right:
        if (menu == NULL || !menu->callSelector(input, player))
        {
            moveSelection(input, player);
        }
        break;
    case kMenuGamepadInput_Action: activateSelectedItem(player); break;
    case kMenuGamepadInput_Back:
        if (menu != NULL)
        {
            menu->callSelector(kMenuGamepadInput_Back, player);
        }
        break;
    default: break;
    }
    CC_SAFE_RELEASE(menu);
}

NS_CC_END
