#include "ThingsILikeLink.h"

NS_CC_BEGIN

ThingsILikeLink* ThingsILikeLink::create(const char* label, const char* url)
{
    ThingsILikeLink* link = new ThingsILikeLink();
    link->setLabel(label);
    link->setURL(url);
    link->autorelease();
    return link;
}

NS_CC_END
