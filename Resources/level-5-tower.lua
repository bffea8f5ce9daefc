-- Stage 5: the harbour tower's roof at dawn, the story's end. Two waves of the boss's men, the
-- crane halfway is the checkpoint, then the harbour boss himself (his own checkpoint): the banner,
-- a closer look, a last word, and his own bar. With him down the story ends with a last scene and a
-- caption, and then the stage complete screen closes it.

local THUG = "street-thug.plist"
local KNIFE = "knife.plist"
local HEAVY = "heavy.plist"
local FOREMAN = "foreman.plist"
local BOSS = "boss.plist"

-- What the layout does not do by itself: music, the turbine vent's spin, and the cranes' lamps and
-- hooks (the layout's "ambient" timeline runs on into itself).
local function dress()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-tower-fan.plist", 0.08)
    playStageTimeline("ambient")
end

local function opening(wave)
    showLevelCaption(3.0)
end

-- The banner slides in with the boss, stays for a breath and slides away as the talking starts.
local function bossEntrance(wave)
    local hud = game().HUD
    if hud ~= nil then
        hud:showGrumvald()
    end
    zoomCamera(1.25, 1.0)
    game():startTimer(2.0, function(progress)
        if hud ~= nil then
            hud:hideGrumvald()
        end
        playScene({
            { "boss-portrait", "So the street kid climbed all the way up here.", 2.5 },
            { "jors-portrait", "The streets want their town back. Now.", 2.5 },
        }, function()
            zoomCamera(1.0, 1.0)
        end)
    end)
end

-- The end of the story: a breath to see him fall, the last words under the bars, the morning's
-- caption, then the results.
local function ending()
    game():startTimer(1.5, function(progress)
        playScene({
            { "boss-portrait", "Take the town, then. It was never worth the climb.", 2.5 },
            { "jors-portrait", "It was to the people living in it.", 2.5 },
            { "jors-portrait", "Go home, everyone. The streets are ours again.", 2.5 },
        }, function()
            local hud = game().HUD
            if hud ~= nil then
                hud:showTimeAndLocation("Morning", "The harbour wakes up free", 3.0)
            end
            game():startTimer(3.5, function(progress)
                game():onStageComplete()
            end)
        end)
    end)
end

setUpStage({
    backdrop = "stage-tower",
    player = "jors.plist",
    maxBots = 3,
    dress = dress,
    waves = {
        { trigger = "onTowerStart", enemies = { { THUG, 2 }, { KNIFE, 1 } }, lockAt = 270, onStart = opening },
        { trigger = "onTanksReached", checkpoint = "restoreTanks", enemies = { { HEAVY, 1 }, { THUG, 2 }, { KNIFE, 1 } },
          lockAt = 420 },
        { trigger = "onFarEndReached", checkpoint = "restoreBoss", enemies = { { BOSS, 1 } }, lockAt = 596, boss = true,
          onStart = bossEntrance },
    },
    onCleared = ending,
})
