xpcall(function() error({}) end, function(m) return debug.traceback(tostring(m)) end)
