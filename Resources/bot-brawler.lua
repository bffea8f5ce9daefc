-- The street brawler: every enemy kind that names this script shares it, in its own state, so
-- nothing about one enemy is kept here: each keeps its own in its timers, its State and its
-- TargetOffset (the side and distance it likes to fight from).
--
-- The game walks a bot to its TargetPosition and faces it to its TargetActor; this script picks
-- where to go and when to swing. States: Idle (wait a moment), Seek (close in on the target at
-- its depth), Attack (swing while the blow would land), Wander (back off to a free spot for a
-- while before coming back), Disabled (left alone by the game and by this script).
--
-- IsAttacking tells the enemy manager an enemy is busy with a bout (swinging or backing off
-- after it): it is not pulled back into Seek then, and a bout far from the player is cut short.

-- An enemy kind's own script may set BRAWLER_STYLE before it requires this one, to fight in its
-- own way: any value it leaves out keeps the street brawler's.
local style = BRAWLER_STYLE or {}
local STAND_OFF = style.standOff or 12           -- how far to the side of the target a bot stands to swing
local MIN_STAND_OFF = 4                          -- closest it edges in when its blows keep falling short
local DEPTH_SLACK = 4                            -- a blow lands within 5 units of depth: keep inside that
local IDLE_TIME = style.idleTime or 0.5          -- seconds of Idle before seeking
local FIRST_SWING = style.firstSwing or { 0.15, 0.45 }  -- wind-up before the first swing of a bout
local SWING_PAUSE = style.swingPause or { 0.35, 0.8 }   -- between swings of a bout
local SWINGS = style.swings or { 1, 3 }                 -- swings in a bout before backing off
local WANDER_TIME = style.wanderTime or { 1.0, 2.2 }    -- seconds of backing off
local HEAVY_CHANCE = style.heavyChance or 0.25          -- share of heavy blows (the boss swings heavier)
local BOSS_HEAVY_CHANCE = 0.5
local OPENER = style.opener                              -- action type of a bout's first blow, when it can land
local BACK_OFF_CHANCE = style.backOffChance or 0.4       -- share of plain hits that make it back off
local SCREEN_MARGIN = 8                                  -- how far inside the screen's sides a bot fights

local function between(range)
    return range[1] + math.random() * (range[2] - range[1])
end

local function hasTarget(bot)
    local target = bot.TargetActor
    return target ~= nil and target:isAlive()
end

local function isBoss(bot)
    local desc = bot.Desc
    return desc ~= nil and desc:getDisplayName() == "Harbour Boss"
end

-- Still busy with a swing (or hurt, or on the floor): no new decision until it ends.
local function isBusy(bot)
    return bot:isActionTypeOf(kVAT_LightAttack, true) or bot:isActionTypeOf(kVAT_HeavyAttack, true)
        or bot:isActionTypeOf(kVAT_TakeDamage, true) or not bot:isStanding()
        or (OPENER ~= nil and bot:isActionTypeOf(OPENER, true))
end

local function sameDepth(bot)
    return math.abs(bot:getTargetActorPosition().y - bot:getBasePosition().y) <= DEPTH_SLACK
end

-- The stretch of the stage the player sees, as its left and right x (nil without a camera).
local function screenSides()
    local game = VornGameManager:getSharedVornGameManager()
    local camera = game and game.CameraManager
    if camera == nil then
        return nil
    end
    local bounds = camera:getGameScreenBounds()
    if bounds.size.width <= 2 * SCREEN_MARGIN then
        return nil
    end
    return bounds.origin.x + SCREEN_MARGIN, bounds.origin.x + bounds.size.width - SCREEN_MARGIN
end

-- Whether x is where the player can see a fighter (anywhere when there is no camera).
local function isOnScreen(x)
    local left, right = screenSides()
    return left == nil or (x >= left and x <= right)
end

-- A target on the floor or getting up is out of every blow's reach, however close it is.
local function targetIsDown(bot)
    return hasTarget(bot) and not bot.TargetActor:isStanding()
end

-- Never from off the screen: knocked past its edge, a bot comes back into view before it swings.
local function canHit(bot, actionType)
    return hasTarget(bot) and sameDepth(bot) and isOnScreen(bot:getBasePosition().x)
        and bot:willAttackHitActor(actionType, bot.TargetActor)
end

-- Where to stand: beside the target at its depth, on the side the bot is on already, unless that
-- spot is off the screen (the target stands by its edge): then on his other side.
local function fightingSpot(bot)
    local target = bot:getTargetActorPosition()
    local offset = bot:getTargetOffset()
    local side = bot:getBasePosition().x < target.x and -1 or 1
    local distance = math.abs(offset.x)
    if distance < MIN_STAND_OFF then
        distance = STAND_OFF
    end
    if not isOnScreen(target.x + side * distance) and isOnScreen(target.x - side * distance) then
        side = -side
    end
    bot:setTargetOffset(ccp(side * distance, 0))
    return ccp(target.x + side * distance, target.y)
end

local states = {}

states.Idle = {
    enter = function(bot)
        bot:setIsAttacking(false)
        bot.TimeTillNewTarget = IDLE_TIME
        bot:setTargetPosition(bot:getBasePosition())
    end,
    tick = function(bot)
        bot.TimeTillNewTarget = bot.TimeTillNewTarget - bot.Delta
        if bot.TimeTillNewTarget <= 0 and hasTarget(bot) then
            bot.State = "Seek"
        end
    end,
}

states.Seek = {
    enter = function(bot)
        bot:setIsAttacking(false)
    end,
    tick = function(bot)
        if not hasTarget(bot) then
            bot:setTargetPosition(bot:getBasePosition())
            return
        end
        if isBusy(bot) then
            return
        end
        if canHit(bot, kVAT_LightAttack) then
            bot.State = "Attack"
            return
        end
        local spot = fightingSpot(bot)
        -- Standing on its spot and still out of reach: edge in a little for next time. Not while
        -- the target is down: it would end up standing over him, its blow landing as he rises.
        local here = bot:getBasePosition()
        if math.abs(here.x - spot.x) < 1 and math.abs(here.y - spot.y) < 1 and not targetIsDown(bot) then
            local offset = bot:getTargetOffset()
            local closer = math.max(MIN_STAND_OFF, math.abs(offset.x) - 2)
            bot:setTargetOffset(ccp(offset.x < 0 and -closer or closer, 0))
            spot = fightingSpot(bot)
        end
        bot:setTargetPosition(spot)
    end,
}

states.Attack = {
    enter = function(bot)
        bot:setIsAttacking(true)
        bot:setTargetPosition(bot:getBasePosition())
        bot.TimeTillAttack = between(FIRST_SWING)
        bot.TimeTillNewTarget = math.floor(between(SWINGS) + 0.5)
        -- A kind with an opener starts the bout with it at once.
        if OPENER ~= nil and canHit(bot, OPENER) then
            bot:doAction(OPENER, false)
            bot.TimeTillNewTarget = bot.TimeTillNewTarget - 1
            bot.TimeTillAttack = between(SWING_PAUSE)
        end
    end,
    tick = function(bot)
        bot:setTargetPosition(bot:getBasePosition())
        if isBusy(bot) then
            return
        end
        -- The target went down: the bout is over; back off and give him room to get up.
        if targetIsDown(bot) then
            bot.State = "Wander"
            return
        end
        bot.TimeTillAttack = bot.TimeTillAttack - bot.Delta
        if bot.TimeTillAttack > 0 then
            return
        end
        if bot.TimeTillNewTarget <= 0 then
            bot.State = "Wander"
            return
        end
        local heavyChance = isBoss(bot) and BOSS_HEAVY_CHANCE or HEAVY_CHANCE
        if math.random() < heavyChance and canHit(bot, kVAT_HeavyAttack) then
            bot:doHeavyAttack()
        elseif canHit(bot, kVAT_LightAttack) then
            bot:doLightAttack()
        else
            bot.State = "Seek"
            return
        end
        bot.TimeTillNewTarget = bot.TimeTillNewTarget - 1
        bot.TimeTillAttack = between(SWING_PAUSE)
    end,
}

-- Backing off still counts as part of the bout, so the manager lets it run its course.
states.Wander = {
    enter = function(bot)
        bot:setIsAttacking(true)
        bot.TimeTillNewTarget = between(WANDER_TIME)
        bot:setTargetPosition(bot:generateWanderPosition())
    end,
    tick = function(bot)
        bot.TimeTillNewTarget = bot.TimeTillNewTarget - bot.Delta
        if bot.TimeTillNewTarget <= 0 then
            bot.State = "Seek"
        elseif bot:hasReachedTarget() and bot.TimeTillNewTarget > 0.5 then
            bot:setTargetPosition(bot:generateWanderPosition())
        end
    end,
    leave = function(bot)
        bot:setIsAttacking(false)
    end,
}

states.Disabled = {
    enter = function(bot)
        bot:setIsAttacking(false)
        bot:setTargetPosition(bot:getBasePosition())
    end,
}

local function run(bot, step)
    local state = states[bot.State]
    if state ~= nil and state[step] ~= nil then
        state[step](bot)
    end
end

function begin_state(bot)
    run(bot, "enter")
end

function end_state(bot)
    run(bot, "leave")
end

function tick(bot)
    run(bot, "tick")
end

-- The game calls the two hooks below unprotected: an error there would end the game, so any
-- fault is caught and logged here instead.
local function guarded(name, body, ...)
    local ok, err = pcall(body, ...)
    if not ok then
        print("[LUA ERROR] bot-brawler " .. name .. " - " .. tostring(err))
    end
end

-- A hit breaks the bout: a knock-down ends it, and a plain hit makes the bot back off sometimes.
function onTakeDamage(bot, knockOut)
    guarded("onTakeDamage", function()
        local state = bot.State
        if state == "Disabled" then
            return
        end
        if knockOut then
            if state == "Attack" or state == "Wander" then
                bot.State = "Idle"
            end
        elseif state == "Attack" and math.random() < BACK_OFF_CHANCE then
            bot.State = "Wander"
        elseif state == "Attack" then
            -- Shaken: the next swing comes a little later.
            bot.TimeTillAttack = bot.TimeTillAttack + 0.3
        end
    end)
end

-- A blow that lands earns a quicker follow-up.
function onHitActor(bot, target)
    guarded("onHitActor", function()
        if bot.State == "Attack" then
            bot.TimeTillAttack = math.min(bot.TimeTillAttack, SWING_PAUSE[1])
        end
    end)
end
