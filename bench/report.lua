-- Same report as report.vbs, built by repeated concatenation.
local s = ""
for i = 1, 20000 do
  s = s .. "mail user" .. i .. "@host" .. i .. ".com now; " .. "\r\n"
end
print(#s)
