#include "AchievementViewItem.h"

#include <cctype>

NS_CC_BEGIN

AchievementViewItem::AchievementViewItem(const char* title, const char* description)
    : m_title(title ? title : ""), m_description(description ? description : "")
{
    for (size_t i = 0; i < m_title.size(); ++i)
    {
        m_title[i] = (char)std::toupper((unsigned char)m_title[i]);
    }
}

NS_CC_END
