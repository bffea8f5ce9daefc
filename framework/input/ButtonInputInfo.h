#ifndef __BUTTON_INPUT_INFO_H__
#define __BUTTON_INPUT_INFO_H__

#include "CCArray.h"

#include <string>

NS_CC_BEGIN

/** One button code of one device type: the logical inputs it triggers and the name players see. */
class ButtonInputInfo : public CCObject
{
public:
    ButtonInputInfo() : m_pMappedInputs(NULL) {}
    virtual ~ButtonInputInfo();

    /** CCIntegers of kVornInput_ values; NULL until a mapping is first added. */
    virtual CCArray* getMappedInputs() const { return m_pMappedInputs; }
    /** Retains the new array and releases the old one. */
    virtual void setMappedInputs(CCArray* mappedInputs);
    virtual const std::string& getDisplayName() const { return m_displayName; }
    virtual void setDisplayName(const std::string& name) { m_displayName = name; }

protected:
    CCArray* m_pMappedInputs;
    std::string m_displayName;
};

NS_CC_END

#endif // __BUTTON_INPUT_INFO_H__
