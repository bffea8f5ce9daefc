#ifndef __THINGS_I_LIKE_ITEM_H__
#define __THINGS_I_LIKE_ITEM_H__

#include "CCArray.h"

#include <string>

NS_CC_BEGIN

class CCSpriteFrame;
class ThingsILikeLink;

/** One recommendation card: locale keys of its texts, its image and up to two links. */
class ThingsILikeItem : public CCObject
{
public:
    ThingsILikeItem();
    virtual ~ThingsILikeItem();
    static ThingsILikeItem* create();

    virtual const char* getTitle() { return m_title.c_str(); }
    virtual void setTitle(const char* title) { m_title = title ? title : ""; }
    virtual const char* getTagline() { return m_tagline.c_str(); }
    virtual void setTagline(const char* tagline) { m_tagline = tagline ? tagline : ""; }
    virtual const char* getDescription() { return m_description.c_str(); }
    virtual void setDescription(const char* description) { m_description = description ? description : ""; }
    virtual const char* getImageName() { return m_imageName.c_str(); }
    virtual void setImageName(const char* name) { m_imageName = name ? name : ""; }
    virtual CCSpriteFrame* getImageFrame() { return m_pImageFrame; }
    /** Retains the new frame and releases the old one. */
    virtual void setImageFrame(CCSpriteFrame* frame);
    /** ThingsILikeLink objects in the file's order. */
    virtual CCArray* getLinks() { return m_pLinks; }
    virtual void setLinks(CCArray* links);

    /** The link at that position; NULL when the card has fewer. */
    ThingsILikeLink* getLink(unsigned int index);

private:
    std::string m_title;
    std::string m_tagline;
    std::string m_description;
    std::string m_imageName;
    CCSpriteFrame* m_pImageFrame;  ///< retained
    CCArray* m_pLinks;             ///< retained
};

NS_CC_END

#endif // __THINGS_I_LIKE_ITEM_H__
