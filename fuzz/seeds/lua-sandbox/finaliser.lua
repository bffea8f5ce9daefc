local loop = function() while true do end end
print(pcall(rawset, CCSprite, '__gc', loop))
print(pcall(function() CCNode.__gc = loop end))
local sprite = CCSprite:create()
print(pcall(function() getmetatable(sprite).__gc = loop end))
print(pcall(function() getmetatable(sprite:getPosition()).__gc = loop end))
print(pcall(setmetatable, CCNode, {}), getmetatable(CCNode), CCNode.__index, CCNode['.get'])
print(pcall(function() getmetatable(io.open('x')).__gc = loop end))
sprite = nil
collectgarbage()
