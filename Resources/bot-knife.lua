-- The knife: darts in for one quick cut, then backs off straight away, and comes again soon.
BRAWLER_STYLE = {
    standOff = 10,
    idleTime = 0.2,
    firstSwing = { 0.05, 0.15 },
    swingPause = { 0.2, 0.3 },
    swings = { 1, 1 },
    wanderTime = { 0.6, 1.2 },
    heavyChance = 0,
    backOffChance = 0.8,
}
require("bot-brawler")
