-- Same loop as loop.vbs: a Double sum over 10,000,000 iterations.
local s = 0.0
for i = 1, 10000000 do
  s = s + i * 2
end
print(s)
