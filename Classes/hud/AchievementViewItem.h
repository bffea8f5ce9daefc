#ifndef __ACHIEVEMENT_VIEW_ITEM_H__
#define __ACHIEVEMENT_VIEW_ITEM_H__

#include "CCPlatformMacros.h"

#include <string>

NS_CC_BEGIN

/** One pop-up waiting to be shown: the title (kept in capitals) and the description. */
class AchievementViewItem
{
public:
    AchievementViewItem(const char* title, const char* description);
    virtual ~AchievementViewItem() {}

    virtual const std::string& getTitle() const { return m_title; }
    virtual void setTitle(const std::string& title) { m_title = title; }
    virtual const std::string& getDescription() const { return m_description; }
    virtual void setDescription(const std::string& description) { m_description = description; }

private:
    std::string m_title;
    std::string m_description;
};

NS_CC_END

#endif // __ACHIEVEMENT_VIEW_ITEM_H__
