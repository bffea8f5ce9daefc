#include "CheckpointScreen.h"

NS_CC_BEGIN

bool CheckpointScreen::init()
{
    if (!initWithCCBFile("checkpoint"))
    {
        return false;
    }
    setVisible(false);
    return true;
}

void CheckpointScreen::onOpened()
{
    VornScreen::onOpened();
    // Left visible, a later open would do nothing and no further checkpoint would show.
    hide();
}

NS_CC_END
