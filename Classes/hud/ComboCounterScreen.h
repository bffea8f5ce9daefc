#ifndef __COMBO_COUNTER_SCREEN_H__
#define __COMBO_COUNTER_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCParticleSystem;

/**
 * The player's running combo ("COMBO x5"). It slides in from the left for a combo of two or more
 * hits and back out to the left when the combo ends; no timelines.
 */
class ComboCounterScreen : public VornScreen
{
public:
    ComboCounterScreen();
    virtual ~ComboCounterScreen();
    CREATE_FUNC(ComboCounterScreen);

    /** Reads "combo-counter"; the root's child 0 is the part that slides. Hidden until shown. */
    virtual bool init();

    /** Shows the count (from 2 up; smaller counts change nothing), sliding in when hidden. */
    void showCount(int count);

    /** Slides in; a counter on its way out turns back. */
    virtual void open();
    /** Slides out, once. */
    virtual void close();

    virtual const CCPoint& getStartPoint() { return m_points[0]; }
    virtual const CCPoint& getOnScreenPoint() { return m_points[1]; }
    virtual const CCPoint& getEndPoint() { return m_points[2]; }
    virtual CCNode* getSlideNode() { return m_pSlideNode; }
    virtual CCLabelBMFont* getComboLabel() { return m_pComboLabel; }
    virtual CCParticleSystem* getParticleEffect() { return m_pParticleEffect; }

private:
    CCPoint m_points[3];  ///< start, on screen, end
    CCNode* m_pSlideNode;  ///< retained
    CCLabelBMFont* m_pComboLabel;
    CCParticleSystem* m_pParticleEffect;
};

NS_CC_END

#endif // __COMBO_COUNTER_SCREEN_H__
