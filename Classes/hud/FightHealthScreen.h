#ifndef __FIGHT_HEALTH_SCREEN_H__
#define __FIGHT_HEALTH_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCAnimatingSprite;
class VornActor;

/**
 * Two fighters' bars facing each other for a one-on-one fight. Each side (0 left, 1 right) is a
 * panel of the layout (root children 0 and 1) with a portrait (panel child 1), a dead marker
 * (panel child 2) and a bar (the tag-1 child at the end of the panel's chain of tag-0 children).
 */
class FightHealthScreen : public VornScreen
{
public:
    enum
    {
        kSide_First = 0,
        kSide_Second,
        kSide_MAX
    };

    FightHealthScreen();
    virtual ~FightHealthScreen();
    CREATE_FUNC(FightHealthScreen);

    /** Reads "fight-health"; false when a panel or its bar is missing. Hidden until opened. */
    virtual bool init();

    /**
     * Shows a fighter on a side: subject identifies it (retained; NULL clears the side), character
     * names its portrait frames (those containing the name), fraction (0..1) is its health now.
     */
    virtual void setSide(int side, CCObject* subject, const char* character, float fraction);
    virtual CCObject* getSubject(int side);
    /** Shows a fighter on a side and follows its health until the side gets another or none. */
    virtual void setActor(int side, VornActor* actor);
    void onFirstHealthChanged(float fraction) { onSideHealthChanged(kSide_First, fraction); }
    void onSecondHealthChanged(float fraction) { onSideHealthChanged(kSide_Second, fraction); }
    /** A side's fighter's health changed (fraction of its maximum). */
    virtual void onSideHealthChanged(int side, float fraction);

    virtual void onClosed();

    virtual CCNode* getPanel(int side);
    virtual CCNode* getBar(int side);
    virtual CCAnimatingSprite* getPortrait(int side);
    virtual CCNode* getDeadMarker(int side);

private:
    bool validSide(int side) const { return side >= 0 && side < kSide_MAX; }
    /** Starts (or stops) following the health of the fighter on a side. */
    void listen(int side, bool follow);

    CCNode* m_pPanels[kSide_MAX];            ///< retained
    CCObject* m_pSubjects[kSide_MAX];        ///< retained
    CCNode* m_pBars[kSide_MAX];              ///< retained
    CCAnimatingSprite* m_pPortraits[kSide_MAX];  ///< retained, may be NULL
    CCNode* m_pDeadMarkers[kSide_MAX];       ///< retained, may be NULL
};

NS_CC_END

#endif // __FIGHT_HEALTH_SCREEN_H__
