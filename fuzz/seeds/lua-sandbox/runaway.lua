local co = coroutine.wrap(function() while true do pcall(error) end end) co()
