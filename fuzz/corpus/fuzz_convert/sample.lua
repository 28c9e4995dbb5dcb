[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=--[[
comment1e=]]
comment2=--

--8<--
and 1C00000
break 1C00000
do 1C00000
else 1C00000
elseif 1C00000
end 1C00000
false 1C00000
for 1C00000
function 1C00000
goto 1C00000
if 1C00000
in 1C00000
local 1C00000
nil 1C00000
not 1C00000
or 1C00000
repeat 1C00000
return 1C00000
then 1C00000
true 1C00000
until 1C00000
while 1C00000

--8<--
_ENV A00080
_G A00080
_VERSION A00080
abs A00080
assert A00080
byte A00080
ceil A00080
char A00080
clock A00080
close A00080
collectgarbage A00080
concat A00080
coroutine A00080
create A00080
date A00080
debug A00080
dofile A00080
error A00080
exit A00080
find A00080
floor A00080
format A00080
getenv A00080
getmetatable A00080
gmatch A00080
gsub A00080
huge A00080
insert A00080
io A00080
ipairs A00080
len A00080
lines A00080
load A00080
loadfile A00080
lower A00080
match A00080
math A00080

--8<--
hf 4294967295 1 S
--8<--
-- sample.lua: a tiny class with inheritance, a small example of Lua.
local Shape = {}
Shape.__index = Shape

--[[
  Shapes share the describe method; each kind of shape
  supplies its own area function.
]]
function Shape.new(name)
  local self = setmetatable({}, Shape)
  self.name = name
  return self
end

function Shape:describe()
  return string.format("%s with area %.2f", self.name, self:area())
end

local Circle = setmetatable({}, { __index = Shape })
Circle.__index = Circle

function Circle.new(radius)
  local self = Shape.new("circle")
  self.radius = radius
  return setmetatable(self, Circle)
end

function Circle:area()
  return math.pi * self.radius ^ 2
end

local Rect = setmetatable({}, { __index = Shape })
Rect.__index = Rect

function Rect.new(w, h)
  local self = Shape.new('rectangle')
  self.w, self.h = w, h
  return setmetatable(self, Rect)
end

function Rect:area() return self.w * self.h end

local shapes = { Circle.new(1.5), Rect.new(2, 3), Circle.new(0.5) }
table.sort(shapes, function(a, b) return a:area() > b:area() end)
for i, s in ipairs(shapes) do
  print(i, s:describe())
end
if #shapes == 0 then print("nothing to show") end
