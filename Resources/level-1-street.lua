-- Stage 1: the street at dusk. Jors learns the controls on the way, talks to a thug who blocks
-- the way, then clears two waves; the gate halfway is the checkpoint.

local THUG = "street-thug.plist"

-- What the layout does not do by itself: music, the barrel's fire, the neon signs' flicker (the
-- layout's "ambient" timeline runs on into itself).
local function dress()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-barrel.plist", 0.12)
    playStageTimeline("ambient")
end

-- The controls, two at a time while the first thugs walk in, named as the player's own keys.
local function key(input)
    local name = game():getGamepadButtonString(input)
    if name == nil or name == "" then
        return "?"
    end
    return name
end

local function hints()
    return {
        { "Move: " .. key(kVornInput_Left) .. " " .. key(kVornInput_Right) .. " " .. key(kVornInput_Up) .. " "
            .. key(kVornInput_Down), "Punch: " .. key(kVornInput_Punch) },
        { "Kick: " .. key(kVornInput_Kick), "Back kick: " .. key(kVornInput_BackKick) },
        { "Jump: " .. key(kVornInput_Jump), "Stomp a floored enemy: " .. key(kVornInput_Stomp) },
        { "Grab: " .. key(kVornInput_Kick) .. " to daze him, then walk into him in line",
            "Holding: " .. key(kVornInput_Kick) .. " throws ahead, " .. key(kVornInput_BackKick) .. " behind, "
            .. key(kVornInput_Punch) .. " knees" },
    }
end

local function opening(wave)
    showLevelCaption(3.0)
    showControlHints(hints(), 3.5)
    playScene({
        { "street-thug-portrait", "Wrong street, hero. This one's ours now.", 2.5 },
        { "jors-portrait", "Then I'll take it back. Block by block.", 2.5 },
    })
end

setUpStage({
    backdrop = "stage-street",
    player = "jors.plist",
    maxBots = 3,
    dress = dress,
    waves = {
        -- Room to learn: two at once at most, on every difficulty, and all from ahead.
        { trigger = "onStreetStart", enemies = { { THUG, 3 } }, lockAt = 270, atOnce = 2, ahead = true,
          onStart = opening },
        { trigger = "onGateReached", checkpoint = "restoreGate", enemies = { { THUG, 4 } }, lockAt = 636 },
    },
})
