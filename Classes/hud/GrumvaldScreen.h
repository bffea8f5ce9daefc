#ifndef __GRUMVALD_SCREEN_H__
#define __GRUMVALD_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

/**
 * The banner before a special battle: its two halves slide in from opposite sides with a sound
 * and leave onwards the way they came in; no timelines.
 */
class GrumvaldScreen : public VornScreen
{
public:
    GrumvaldScreen();
    virtual ~GrumvaldScreen();
    CREATE_FUNC(GrumvaldScreen);

    /** The banner's sound. */
    static const char* const kSound;

    /** Reads "grumvald"; the root's children 0 and 1 are the halves. Hidden until opened. */
    virtual bool init();
    virtual void open();
    /** Allowed while still sliding in; only a second close is refused. */
    virtual void close();

    virtual const CCPoint* getFirstHalfPoints() { return m_firstPoints; }
    virtual CCNode* getFirstHalf() { return m_pFirstHalf; }
    virtual const CCPoint* getSecondHalfPoints() { return m_secondPoints; }
    virtual CCNode* getSecondHalf() { return m_pSecondHalf; }

private:
    CCPoint m_firstPoints[3];   ///< start, on screen, end
    CCNode* m_pFirstHalf;       ///< retained
    CCPoint m_secondPoints[3];
    CCNode* m_pSecondHalf;      ///< retained
};

NS_CC_END

#endif // __GRUMVALD_SCREEN_H__
