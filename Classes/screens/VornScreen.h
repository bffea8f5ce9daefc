#ifndef __VORN_SCREEN_H__
#define __VORN_SCREEN_H__

#include "CCBMemberVariableAssigner.h"
#include "CCBSelectorResolver.h"
#include "CCLayer.h"
#include "CCMenuGamepadSelectorResolver.h"
#include "MenuHandlerProxy.h"
#include "Signal.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

NS_CC_EXT_BEGIN
class CCBAnimationManager;
class CCBReader;
NS_CC_EXT_END

NS_CC_BEGIN

class CCFiniteTimeAction;
class CCMenuGamepad;
class CCMenuItem;

/**
 * The base of every menu, dialog and overlay. A screen builds itself from one layout, takes the
 * layout's named nodes into registered members, binds the layout's selectors to its handlers by
 * name (through one MenuHandlerProxy per name) and shows and hides itself with the layout's
 * "open" and "close" timelines.
 *
 * Subclasses register their members and handlers, then call initWithCCBFile from their init, and
 * hide themselves until first opened.
 */
class VornScreen : public CCLayer,
                   public extension::CCBSelectorResolver,
                   public extension::CCBMemberVariableAssigner,
                   public extension::CCMenuGamepadSelectorResolver
{
public:
    typedef std::vector<std::pair<std::string, SEL_VornScreenHandler> > MenuItemSelectorList;
    typedef std::vector<std::pair<std::string, SEL_VornScreenGamepadHandler> > GamepadMenuSelectorList;
    typedef std::vector<std::pair<std::string, SEL_VornScreenGamepadQuery> > GamepadMenuQueryList;
    /** A registered member: its name, its address and how to store a node there (NULL when the node is of another kind). */
    struct MemberVariable
    {
        std::string name;
        void* slot;
        CCObject* (*store)(void* slot, CCNode* node);
    };
    typedef std::vector<MemberVariable> MemberVariableList;
    typedef std::map<std::string, MenuHandlerProxy*> MenuHandlerProxyMap;

    VornScreen();
    virtual ~VornScreen();

    /** Reads the layout (".ccbi" is appended when missing); false when it cannot be read. */
    bool initWithCCBFile(const char* name);

    /** Runs "open" and shows the screen; nothing when it is visible already. */
    virtual void open();
    /** Runs "close"; only when visible and no timeline of the layout runs. */
    virtual void close();
    virtual bool isOpen();
    /** Hidden at once, without a timeline; the closed signal is emitted all the same. */
    virtual void hide();
    virtual bool isTimelineRunning();
    /** End of "open": touch on, opened signal, then focus to the default item or menu. */
    virtual void onOpened();
    /** End of "close": hidden, touch off, closed signal. */
    virtual void onClosed();

    virtual CCNode* getRootNode() { return m_pRootNode; }
    virtual void setRootNode(CCNode* node) { m_pRootNode = node; }
    virtual CCMenuGamepad* getDefaultMenu() { return m_pDefaultMenu; }
    virtual void setDefaultMenu(CCMenuGamepad* menu) { m_pDefaultMenu = menu; }
    virtual CCMenuItem* getDefaultMenuItem() { return m_pDefaultMenuItem; }
    virtual void setDefaultMenuItem(CCMenuItem* item) { m_pDefaultMenuItem = item; }
    virtual Signal<>& getClosingSignal() { return m_closingSignal; }
    virtual void setClosingSignal(const Signal<>& signal) { m_closingSignal = signal; }
    virtual Signal<>& getClosedSignal() { return m_closedSignal; }
    virtual void setClosedSignal(const Signal<>& signal) { m_closedSignal = signal; }
    virtual Signal<>& getOpeningSignal() { return m_openingSignal; }
    virtual void setOpeningSignal(const Signal<>& signal) { m_openingSignal = signal; }
    virtual Signal<>& getOpenedSignal() { return m_openedSignal; }
    virtual void setOpenedSignal(const Signal<>& signal) { m_openedSignal = signal; }
    virtual bool isOpening() { return m_bOpening; }
    virtual void setOpening(bool opening) { m_bOpening = opening; }
    virtual bool isClosing() { return m_bClosing; }
    virtual void setClosing(bool closing) { m_bClosing = closing; }

protected:
    /**
     * The end of "open" without the focus: for a screen whose menu comes in later and takes the
     * focus then, so no key reaches it before the player can see it.
     */
    void finishOpening();
    /**
     * Leaves by a timeline once: touches stop, the screen counts as closing and, at the
     * timeline's end (at once when the layout lacks it), ended runs. False when already leaving.
     */
    bool leaveByTimeline(const char* timeline, SEL_CallFunc ended);

public:
    virtual float getSlideDuration() { return m_fSlideDuration; }
    virtual void setSlideDuration(float duration) { m_fSlideDuration = duration; }
    virtual extension::CCBReader* getCCBReader() { return m_pReader; }
    virtual void setCCBReader(extension::CCBReader* reader) { m_pReader = reader; }
    virtual MenuItemSelectorList& getMenuItemSelectors() { return m_menuItemSelectors; }
    virtual GamepadMenuSelectorList& getGamepadMenuSelectors() { return m_gamepadMenuSelectors; }
    virtual MemberVariableList& getMemberVariables() { return m_memberVariables; }
    virtual MenuHandlerProxyMap& getMenuHandlerProxies() { return m_menuHandlerProxies; }
    virtual CCArray* getMenuHandlerProxyArray() { return m_pMenuHandlerProxyArray; }

    void registerMenuItemSelector(const char* name, SEL_VornScreenHandler handler);
    void registerGamepadMenuSelector(const char* name, SEL_VornScreenGamepadHandler handler);
    /** A gamepad menu's navigation handler that may decline the input (the menu then moves as usual). */
    void registerGamepadMenuQuery(const char* name, SEL_VornScreenGamepadQuery handler);
    /**
     * The first registration of a name wins; the node stored there is retained. A layout node of
     * another kind than the member is refused with a log line, so a wrong layout cannot crash.
     */
    template <class T>
    void registerMemberVariable(const char* name, T** member)
    {
        MemberVariable entry = { name ? name : "", member, &VornScreen::storeMember<T> };
        m_memberVariables.push_back(entry);
    }

    /**
     * Runs a timeline of this screen's layout; callback (a handler of this screen, or NULL) runs
     * when it ends. Without force it refuses while another timeline runs. False when it did not start.
     */
    bool runTimeline(const char* name, SEL_CallFunc callback, bool force);
    /** The same on a sub-layout's own timelines; refuses while that layout runs one. */
    bool runTimelineOnNode(CCNode* node, const char* name, SEL_CallFunc callback);
    /** Whether the layout has a timeline of that name. */
    bool hasTimeline(const char* name);
    /** Gives pad focus to the default item, else to the default menu. */
    void focusDefaultMenu();
    /** A screen whose default menu keeps the focus to itself (locked) owns the keys while it is up. */
    bool isModal();

    /** Moves the node from one point to another over the slide duration, eased; then followUp. */
    void slideNode(CCNode* node, const CCPoint& from, const CCPoint& to, CCFiniteTimeAction* followUp);
    /** Start, on-screen (the node's position) and end points of a horizontal slide by the node's width. */
    static void computeSlidePositions(CCNode* node, CCPoint out[3], bool leftToRight, bool returnSameWay);

    /** The proxy of a selector name, made on first use. */
    MenuHandlerProxy* getMenuHandlerProxy(const char* name);

    /** Reads the in-game layer layout "gamelayer" (autoreleased), NULL when it cannot be read. */
    static CCNode* createGameLayer();

    // Called by the layout reader.
    virtual CCObject* onResolveCCBSelectorTarget(const char* pSelectorName);
    virtual SEL_MenuHandler onResolveCCBCCMenuItemSelector(CCObject* pTarget, const char* pSelectorName);
    virtual extension::SEL_CCControlHandler onResolveCCBCCControlSelector(CCObject* pTarget, const char* pSelectorName);
    /** A gamepad menu's navigation slot ("backSelector" ...) goes through the proxy like a menu item. */
    virtual SEL_MenuGamepadHandler onResolveCCBMenuGamepadSelector(CCObject* pTarget, const char* pSelectorName);
    virtual bool onAssignCCBMemberVariable(CCObject* pTarget, const char* pMemberVariableName, CCNode* pNode);

    /** Lets the layout's timelines and proxies go, which frees the screen once it is removed. */
    virtual void cleanup();

protected:
    template <class T>
    static CCObject* storeMember(void* slot, CCNode* node)
    {
        T* value = dynamic_cast<T*>(node);
        if (!value)
        {
            return NULL;
        }
        T** member = static_cast<T**>(slot);
        value->retain();
        CC_SAFE_RELEASE(*member);
        *member = value;
        return value;
    }
    /** Binds the proxy of the name to the registered handler; false when none is registered. */
    bool bindProxy(const char* name);
    /** Starts a timeline with an end callback; a layout without it ends at once, logged, so nothing waits forever. */
    bool startOrFinish(const char* name, SEL_CallFunc callback, bool force);
    extension::CCBAnimationManager* getAnimationManager();

    CCNode* m_pRootNode;              ///< retained, also the screen's child
    CCMenuGamepad* m_pDefaultMenu;    ///< retained when assigned
    CCMenuItem* m_pDefaultMenuItem;   ///< retained when assigned
    Signal<> m_closingSignal;
    Signal<> m_closedSignal;
    Signal<> m_openingSignal;
    Signal<> m_openedSignal;
    bool m_bOpening;
    bool m_bClosing;
    float m_fSlideDuration;
    extension::CCBReader* m_pReader;  ///< owned
    MenuItemSelectorList m_menuItemSelectors;
    GamepadMenuSelectorList m_gamepadMenuSelectors;
    GamepadMenuQueryList m_gamepadMenuQueries;
    MemberVariableList m_memberVariables;
    MenuHandlerProxyMap m_menuHandlerProxies;
    CCArray* m_pMenuHandlerProxyArray;  ///< retained
    std::map<void*, CCObject*> m_storedMembers;  ///< what each member slot holds a reference to
};

NS_CC_END

#endif // __VORN_SCREEN_H__
