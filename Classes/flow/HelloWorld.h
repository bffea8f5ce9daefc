#ifndef __HELLO_WORLD_H__
#define __HELLO_WORLD_H__

#include "CCLayer.h"

/** The root layer of the one scene: making it makes and starts the game manager. */
class HelloWorld : public cocos2d::CCLayer
{
public:
    static HelloWorld* create();
    virtual bool init();
};

#endif // __HELLO_WORLD_H__
