#ifndef __ACHIEVEMENT_INFO_H__
#define __ACHIEVEMENT_INFO_H__

#include "CCObject.h"

#include <string>

NS_CC_BEGIN

/** One achievement: its id and the player's progress towards it (1.0 or more: unlocked). */
class AchievementInfo : public CCObject
{
public:
    AchievementInfo() : m_fProgress(0.0f), m_bFlag(false) {}

    static AchievementInfo* create(const std::string& id, float progress);

    virtual const std::string& getID() { return m_sID; }
    virtual void setID(const std::string& id) { m_sID = id; }
    virtual float getProgress() { return m_fProgress; }
    virtual void setProgress(float progress) { m_fProgress = progress; }
    /** A mark the game may keep on the achievement; the framework never reads it. */
    virtual bool getFlag() { return m_bFlag; }
    virtual void setFlag(bool flag) { m_bFlag = flag; }

    /** The text shown once the achievement is unlocked: the locale text of "post_<id>". */
    std::string getPostString();

private:
    std::string m_sID;
    float m_fProgress;
    bool m_bFlag;
};

NS_CC_END

#endif // __ACHIEVEMENT_INFO_H__
