-- Stage 2: the docks at night. Two waves of thugs on the quay, the pier is the checkpoint, and at
-- its end the harbour boss's right hand stands in the way, his health set against the player's.

local THUG = "street-thug.plist"
local KICKER = "kicker.plist"
local FOREMAN = "foreman.plist"

-- What the layout does not do by itself: music, the pier beacon's pulse and the moonlight on the
-- water (the layout's "ambient" timeline runs on into itself).
local function dress()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-docks-lantern.plist", 0.2)
    playStageTimeline("ambient")
end

local function opening(wave)
    showLevelCaption(3.0)
end

-- The right hand comes in with a word and a closer look.
local function midBoss(wave)
    zoomCamera(1.2, 1.0)
    playScene({
        { "street-thug-portrait", "The boss said you'd come. He didn't say you'd leave.", 2.5 },
        { "jors-portrait", "Tell him yourself. Tomorrow.", 2.0 },
    }, function()
        zoomCamera(1.0, 1.0)
    end)
end

setUpStage({
    backdrop = "stage-docks",
    player = "jors.plist",
    maxBots = 3,
    dress = dress,
    waves = {
        { trigger = "onDocksStart", enemies = { { THUG, 3 } }, lockAt = 300, onStart = opening },
        { trigger = "onPierReached", checkpoint = "restorePier", enemies = { { THUG, 2 }, { KICKER, 1 } }, lockAt = 480 },
        { trigger = "onPierEnd", enemies = { { FOREMAN, 1 } }, lockAt = 636, fight = true,
          onStart = midBoss },
    },
})
