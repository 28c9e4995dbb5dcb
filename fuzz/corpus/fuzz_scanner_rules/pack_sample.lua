h
--8<--
files=*.lua
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=--[[
comment1e=]]
comment2=--

--8<--

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
