// The program's entry. Start-up (window, director, game manager) is wired here as it lands.
#include "cocos2d.h"

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    cocos2d::CCLog("TULMEK: the engine base is built; the game does not start yet.");
    return 0;
}
