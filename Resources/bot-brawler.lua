-- The street brawler: every enemy kind that names this script shares it, in its own state.
-- The game walks a bot to its TargetPosition and faces it to its TargetActor; this script picks
-- where to go and when to swing. States: Idle (wait a moment), Seek (close in on the target),
-- Attack (swing when the blow would land), Wander (back off to a free spot), Disabled (left
-- alone by the game and by this script).
--
-- The bot's fields and methods arrive with the game's script binding: until a bot carries them
-- (ready() below) every entry point returns at once and the enemy stands its ground.

local ATTACK_RANGE = 14      -- closer than this, Seek turns into Attack
local ATTACK_PAUSE = 0.8     -- seconds between swings
local IDLE_TIME = 0.5        -- seconds of Idle before seeking
local WANDER_TIME = 2.0      -- seconds of Wander before seeking again

local function ready(bot)
    local ok, state = pcall(function() return bot.State end)
    return ok and state ~= nil
end

local states = {}

states.Idle = {
    enter = function(bot)
        bot.TimeTillNewTarget = IDLE_TIME
    end,
    tick = function(bot)
        bot.TimeTillNewTarget = bot.TimeTillNewTarget - bot.Delta
        if bot.TimeTillNewTarget <= 0 and bot.TargetActor ~= nil then
            bot.State = "Seek"
        end
    end,
}

states.Seek = {
    tick = function(bot)
        if bot.TargetActor == nil then
            return
        end
        bot:setTargetPosition(bot:getTargetActorPosition())
        if bot:getDistanceFromTargetActor() < ATTACK_RANGE then
            bot.State = "Attack"
        end
    end,
}

states.Attack = {
    enter = function(bot)
        bot:setIsAttacking(true)
        bot.TimeTillAttack = 0
    end,
    tick = function(bot)
        bot:setTargetPosition(bot:getBasePosition())
        bot.TimeTillAttack = bot.TimeTillAttack - bot.Delta
        if bot.TimeTillAttack > 0 then
            return
        end
        bot.TimeTillAttack = ATTACK_PAUSE
        if bot.TargetActor == nil or bot:getDistanceFromTargetActor() >= ATTACK_RANGE then
            bot.State = "Seek"
        else
            bot:doLightAttack()
        end
    end,
    leave = function(bot)
        bot:setIsAttacking(false)
    end,
}

states.Wander = {
    enter = function(bot)
        bot.TimeTillNewTarget = WANDER_TIME
        bot:setTargetPosition(bot:generateWanderPosition())
    end,
    tick = function(bot)
        bot.TimeTillNewTarget = bot.TimeTillNewTarget - bot.Delta
        if bot.TimeTillNewTarget <= 0 then
            bot.State = "Seek"
        end
    end,
}

states.Disabled = {}

local function run(bot, step)
    if not ready(bot) then
        return
    end
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

-- A knock-out blow ends any attack under way.
function onTakeDamage(bot, knockOut)
    if knockOut and ready(bot) and bot.State == "Attack" then
        bot.State = "Idle"
    end
end
