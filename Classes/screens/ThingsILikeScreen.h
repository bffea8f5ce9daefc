#ifndef __THINGS_I_LIKE_SCREEN_H__
#define __THINGS_I_LIKE_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

class CCLabelBMFont;
class CCSprite;
class ThingsILikeItem;

/**
 * A carousel of recommendation cards (title, tagline, description, image, up to two links that
 * open in the browser), read from "things-i-like.plist" with images from its own sheet. Reached
 * from the title screen's more panel.
 */
class ThingsILikeScreen : public VornScreen
{
public:
    ThingsILikeScreen();
    virtual ~ThingsILikeScreen();
    CREATE_FUNC(ThingsILikeScreen);

    /** The screen made last; NULL before one exists. */
    static ThingsILikeScreen* sharedThingsILikeScreen();

    /** Reads "things-i-like" and the card list; false when either cannot be read. */
    virtual bool init();
    /** Resolves the card images again, shows the current card, then the base's opening. */
    virtual void open();
    /** The base's steps, then the back item takes the focus. */
    virtual void onOpened();

    void onNextItem();
    void onPrevItem();
    void onLink1();
    void onLink2();

    /** The card file for this platform. */
    static const char* getItemsFileName();
    /** Reads the cards; false when the file cannot be read as a list. */
    bool loadItems(const char* fileName);
    /** Adds the card sheet to the frame cache and gives each card its frame. */
    void loadImages();
    /** The current card on the main card. */
    void showItem();
    /** A card's texts and image on the second card (the one leaving during a move). */
    void showItemOnOtherCard(unsigned int index);

    virtual CCArray* getItems() { return m_pItems; }
    virtual int getCurrentIndex() { return m_nCurrentIndex; }
    virtual void setCurrentIndex(int index) { m_nCurrentIndex = index; }
    /** The card shown; NULL when there are none. */
    ThingsILikeItem* getCurrentItem();

    virtual CCLabelBMFont* getTitleLabel() { return m_pTitleLabel; }
    virtual CCLabelBMFont* getTaglineLabel() { return m_pTaglineLabel; }
    virtual CCLabelBMFont* getDescriptionLabel() { return m_pDescriptionLabel; }
    virtual CCSprite* getImageSprite() { return m_pImageSprite; }
    virtual CCLabelBMFont* getLink1Label() { return m_pLink1Label; }
    virtual CCLabelBMFont* getLink2Label() { return m_pLink2Label; }
    virtual CCMenuItem* getLink1MenuItem() { return m_pLink1MenuItem; }
    virtual CCMenuItem* getLink2MenuItem() { return m_pLink2MenuItem; }
    virtual CCMenuItem* getBackMenuItem() { return m_pBackMenuItem; }

private:
    void openLink(unsigned int index);
    void showTexts(ThingsILikeItem* item, CCLabelBMFont* title, CCLabelBMFont* tagline, CCLabelBMFont* description,
                   CCSprite* image);
    void showLink(ThingsILikeItem* item, unsigned int index, CCLabelBMFont* label, CCMenuItem* menuItem);

    CCNode* m_pBackground;
    CCLabelBMFont* m_pTitleLabel;
    CCLabelBMFont* m_pTaglineLabel;
    CCLabelBMFont* m_pDescriptionLabel;
    CCSprite* m_pImageSprite;
    CCLabelBMFont* m_pOtherTitleLabel;
    CCLabelBMFont* m_pOtherTaglineLabel;
    CCLabelBMFont* m_pOtherDescriptionLabel;
    CCSprite* m_pOtherImageSprite;
    CCLabelBMFont* m_pLink1Label;
    CCLabelBMFont* m_pLink2Label;
    CCMenuItem* m_pBackMenuItem;
    CCMenuItem* m_pLink1MenuItem;
    CCMenuItem* m_pLink2MenuItem;
    CCArray* m_pItems;  ///< retained; ThingsILikeItem
    int m_nCurrentIndex;
};

NS_CC_END

#endif // __THINGS_I_LIKE_SCREEN_H__
