-- Placeholder for the street brawler's behaviour: the enemy stands its ground until the real
-- state machine (Idle/Seek/Wander/Attack) replaces this file. Only the entry points exist.
function begin_state(bot)
end

function end_state(bot)
end

function tick(bot)
end
