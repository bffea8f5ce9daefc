#include "AchievementInfo.h"

#include "LocaleManager.h"

NS_CC_BEGIN

AchievementInfo* AchievementInfo::create(const std::string& id, float progress)
{
    AchievementInfo* info = new AchievementInfo();
    info->setID(id);
    info->setProgress(progress);
    info->autorelease();
    return info;
}

std::string AchievementInfo::getPostString()
{
    std::string key = "post_" + m_sID;
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    if (locale == NULL)
    {
        return key;
    }
    const char* text = locale->localize(key.c_str());
    return text ? text : key;
}

NS_CC_END
