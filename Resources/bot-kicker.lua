-- The kicker: opens every bout with a jump kick from his spot, then a kick or two before backing off.
BRAWLER_STYLE = {
    standOff = 16,
    idleTime = 0.4,
    firstSwing = { 0.1, 0.3 },
    swingPause = { 0.4, 0.7 },
    swings = { 2, 3 },
    wanderTime = { 0.8, 1.6 },
    heavyChance = 0.4,
    opener = kVAT_JumpAttack,
}
require("bot-brawler")
