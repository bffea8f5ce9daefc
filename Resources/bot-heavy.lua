-- The heavy: slow to start, then shoves with a stunning blow and follows with heavy swings that a
-- light hit does not stop (his heavy moves are unstoppable); he rarely backs off.
BRAWLER_STYLE = {
    standOff = 14,
    idleTime = 0.8,
    firstSwing = { 0.4, 0.7 },
    swingPause = { 0.6, 1.0 },
    swings = { 2, 3 },
    wanderTime = { 0.8, 1.4 },
    heavyChance = 0.6,
    opener = kVAT_ForwardAttack,
    backOffChance = 0.1,
}
require("bot-brawler")
