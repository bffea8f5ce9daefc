#include "CombatTestSupport.h"
#include "cocos2d.h"

USING_NS_CC;
