#ifndef __VORN_INPUT_DISPATCH_H__
#define __VORN_INPUT_DISPATCH_H__

#include "CCTouchDelegateProtocol.h"

NS_CC_BEGIN

/** Registers a targeted touch delegate with the director's touch dispatcher when there is one. */
void vornAddTargetedTouchDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
/** Registers a keyboard delegate with the director's keyboard dispatcher; false when there is none. */
bool vornAddKeyboardDelegate(CCKeyboardDelegate* delegate);
/** Takes a keyboard delegate out of the director's keyboard dispatcher, if there is one. */
void vornRemoveKeyboardDelegate(CCKeyboardDelegate* delegate);

NS_CC_END

#endif // __VORN_INPUT_DISPATCH_H__
