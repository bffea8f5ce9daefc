#include "ThingsILikeItem.h"

#include "CCSpriteFrame.h"
#include "ThingsILikeLink.h"

NS_CC_BEGIN

ThingsILikeItem::ThingsILikeItem() : m_pImageFrame(NULL), m_pLinks(CCArray::create())
{
    m_pLinks->retain();
}

ThingsILikeItem::~ThingsILikeItem()
{
    CC_SAFE_RELEASE(m_pImageFrame);
    CC_SAFE_RELEASE(m_pLinks);
}

ThingsILikeItem* ThingsILikeItem::create()
{
    ThingsILikeItem* item = new ThingsILikeItem();
    item->autorelease();
    return item;
}

void ThingsILikeItem::setImageFrame(CCSpriteFrame* frame)
{
    CC_SAFE_RETAIN(frame);
    CC_SAFE_RELEASE(m_pImageFrame);
    m_pImageFrame = frame;
}

void ThingsILikeItem::setLinks(CCArray* links)
{
    CC_SAFE_RETAIN(links);
    CC_SAFE_RELEASE(m_pLinks);
    m_pLinks = links;
}

ThingsILikeLink* ThingsILikeItem::getLink(unsigned int index)
{
    if (!m_pLinks || index >= m_pLinks->count())
    {
        return NULL;
    }
    return dynamic_cast<ThingsILikeLink*>(m_pLinks->objectAtIndex(index));
}

NS_CC_END
