#ifndef __CCB_MEMBER_VARIABLE_ASSIGNER_H__
#define __CCB_MEMBER_VARIABLE_ASSIGNER_H__

#include "base/CCObject.h"

NS_CC_BEGIN
class CCNode;
NS_CC_END

NS_CC_EXT_BEGIN

/** Receives the layout's named nodes. */
class CCBMemberVariableAssigner
{
public:
    virtual ~CCBMemberVariableAssigner() {}
    /** Returns true when the name was taken; the reader then asks nobody else. */
    virtual bool onAssignCCBMemberVariable(cocos2d::CCObject* pTarget, const char* pMemberVariableName,
                                           cocos2d::CCNode* pNode) = 0;
};

NS_CC_EXT_END

#endif // __CCB_MEMBER_VARIABLE_ASSIGNER_H__
