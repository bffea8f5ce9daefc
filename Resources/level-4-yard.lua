-- Stage 4: the rail yard in the small hours, on the way to the tower. Three waves; the sidings are
-- the checkpoint, and the foreman waits at the yard's end again.

local THUG = "street-thug.plist"
local KICKER = "kicker.plist"
local HEAVY = "heavy.plist"
local FOREMAN = "foreman.plist"

-- What the layout does not do by itself: music, the signal's blinking, and the train crossing far
-- off and the masts' lamps (the layout's "ambient" timeline runs on into itself).
local function dress()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-yard-signal.plist", 0.3)
    playStageTimeline("ambient")
end

local function opening(wave)
    showLevelCaption(3.0)
end

setUpStage({
    backdrop = "stage-yard",
    player = "jors.plist",
    maxBots = 3,
    dress = dress,
    waves = {
        { trigger = "onYardStart", enemies = { { THUG, 2 }, { KICKER, 1 } }, lockAt = 300, onStart = opening },
        { trigger = "onSidingsReached", checkpoint = "restoreSidings", enemies = { { HEAVY, 1 }, { THUG, 2 } }, lockAt = 480 },
        { trigger = "onYardEnd", enemies = { { FOREMAN, 1 } }, lockAt = 636, fight = true },
    },
})
