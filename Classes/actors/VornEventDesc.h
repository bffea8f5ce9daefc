#ifndef __VORN_EVENT_DESC_H__
#define __VORN_EVENT_DESC_H__

#include "CCDictionary.h"
#include "CCGeometry.h"
#include "VornGameTypes.h"

#include <string>
#include <vector>

NS_CC_BEGIN

class VornActionDesc;
class VornActor;

/**
 * Something that happens at a moment of an action (a fraction of its duration; negative: at every
 * update). Events are read once with their action and shared by every actor that plays it.
 */
class VornEventDesc : public CCObject
{
public:
    VornEventDesc();
    virtual ~VornEventDesc();

    /** Reads "Time"; false when it is missing or outside -1..1. */
    virtual bool initWithDictionary(CCDictionary* dict, std::string name, std::string ownerFile);
    virtual void fire(VornActionDesc* action, VornActor* actor) = 0;
    virtual void preloadSFX() {}

    virtual const std::string& getName() { return m_name; }
    virtual void setName(const std::string& name) { m_name = name; }
    virtual int getType() { return m_nType; }
    virtual void setType(int type) { m_nType = type; }
    virtual float getTime() { return m_fTime; }
    virtual void setTime(float time) { m_fTime = time; }

    /** A rectangle given in pixels, relative to the actor's anchor point, placed in the world. */
    static CCRect rectInWorld(const CCRect& pointsRect, VornActor* actor);
    /** Shows a rectangle on the debug overlay when debug drawing is on. */
    static void debugRect(const CCRect& rect, float lifetime);
    /** Reads "(x,y) (w,h)"; numbers that do not parse leave the rectangle's fields as they were. */
    static void parseRect(const std::string& text, CCRect* rect);
    /**
     * Shows a hit impact with a number over rect on the game layer, if one is free. The rectangle is
     * in world space, or already in the layer's space when inWorld is false.
     */
    static void showImpact(const CCRect& rect, bool inWorld, const CCPoint& direction, int number, bool particles);

    /**
     * Appends the actors of a collision list not already in out, each retained so that reactions
     * changing the lists cannot free one during a walk; releaseActors drops them again.
     */
    static void collectActors(int listId, std::vector<VornActor*>* out);
    static void releaseActors(std::vector<VornActor*>* actors);
    /** The list an actor's attacks and grabs look at besides its own: enemies for the player. */
    static int opposingListId(int listId);

protected:
    std::string m_name;
    int m_nType;
    float m_fTime;
};

NS_CC_END

#endif // __VORN_EVENT_DESC_H__
