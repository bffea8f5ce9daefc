-- Stage 3: the night market at midnight. Kira, who runs a stall here, tells Jors where the boss
-- hides; two waves, the stalls halfway are the checkpoint.

local THUG = "street-thug.plist"
local KNIFE = "knife.plist"
local FOREMAN = "foreman.plist"

-- What the layout does not do by itself: music, the grill cart's fire, and the bulbs' glow and the
-- lanterns' sway (the layout's "ambient" timeline runs on into itself).
local function dress()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-market-brazier.plist", 0.12)
    playStageTimeline("ambient")
end

local function opening(wave)
    showLevelCaption(3.0)
end

local function atTheStalls(wave)
    playScene({
        { "kira-portrait", "Jors! They cleared out every stall on the lane.", 2.5 },
        { "jors-portrait", "Who sent them, Kira?", 2.0 },
        { "kira-portrait", "The harbour boss. He sits up in the tower now.", 2.5 },
    })
end

setUpStage({
    backdrop = "stage-market",
    player = "jors.plist",
    maxBots = 3,
    dress = dress,
    waves = {
        { trigger = "onMarketStart", enemies = { { THUG, 2 }, { KNIFE, 2 } }, lockAt = 270, onStart = opening },
        { trigger = "onStallsReached", checkpoint = "restoreStalls", enemies = { { KNIFE, 2 }, { THUG, 2 } },
          lockAt = 636, onStart = atTheStalls },
    },
})
