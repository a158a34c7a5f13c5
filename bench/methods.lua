-- Same as methods.vbs: 1,000,000 method calls on an object.
local Counter = {}
Counter.__index = Counter
function Counter.new() return setmetatable({ total = 0 }, Counter) end
function Counter:add(n) self.total = self.total + n end
local c = Counter.new()
for i = 1, 1000000 do c:add(i) end
print(c.total)
