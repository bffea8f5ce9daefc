#ifndef __THINGS_I_LIKE_LINK_H__
#define __THINGS_I_LIKE_LINK_H__

#include "CCObject.h"

#include <string>

NS_CC_BEGIN

/** One link of a recommendation card: the caption shown as written and the address it opens. */
class ThingsILikeLink : public CCObject
{
public:
    static ThingsILikeLink* create(const char* label, const char* url);

    virtual const char* getLabel() { return m_label.c_str(); }
    virtual void setLabel(const char* label) { m_label = label ? label : ""; }
    virtual const char* getURL() { return m_url.c_str(); }
    virtual void setURL(const char* url) { m_url = url ? url : ""; }

private:
    // Copies: the card list may be reloaded while a link is still held.
    std::string m_label;
    std::string m_url;
};

NS_CC_END

#endif // __THINGS_I_LIKE_LINK_H__
