#ifndef __CHECKPOINT_SCREEN_H__
#define __CHECKPOINT_SCREEN_H__

#include "VornScreen.h"

NS_CC_BEGIN

/**
 * The "checkpoint reached" notice. Its whole appearance is the layout's "open" timeline; the
 * screen hides itself when that ends, so the next checkpoint can show it again.
 */
class CheckpointScreen : public VornScreen
{
public:
    CREATE_FUNC(CheckpointScreen);

    /** Reads "checkpoint"; hidden until opened. */
    virtual bool init();
    /** End of "open": the notice has faded out by itself; hidden at once. */
    virtual void onOpened();
};

NS_CC_END

#endif // __CHECKPOINT_SCREEN_H__
