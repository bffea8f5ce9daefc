#include "ButtonInputInfo.h"

NS_CC_BEGIN

ButtonInputInfo::~ButtonInputInfo()
{
    CC_SAFE_RELEASE(m_pMappedInputs);
}

void ButtonInputInfo::setMappedInputs(CCArray* mappedInputs)
{
    if (mappedInputs != m_pMappedInputs)
    {
        CC_SAFE_RETAIN(mappedInputs);
        CC_SAFE_RELEASE(m_pMappedInputs);
        m_pMappedInputs = mappedInputs;
    }
}

NS_CC_END
