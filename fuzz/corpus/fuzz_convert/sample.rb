[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~%^&*()-+=[]{}|\:;"'<>,./
color_string=1515A3
color_comment=2008000
comment1==begin
comment1e==end
comment2=#

--8<--
__ENCODING__ 1C00000
__END__ 1C00000
__FILE__ 1C00000
__LINE__ 1C00000
__method__ 1C00000
alias 1C00000
and 1C00000
BEGIN 1C00000
begin 1C00000
break 1C00000
case 1C00000
class 1C00000
def 1C00000
defined? 1C00000
do 1C00000
else 1C00000
elsif 1C00000
END 1C00000
end 1C00000
ensure 1C00000
false 1C00000
for 1C00000
if 1C00000
in 1C00000
module 1C00000
next 1C00000
nil 1C00000
not 1C00000
or 1C00000
redo 1C00000
rescue 1C00000
retry 1C00000
return 1C00000
self 1C00000
super 1C00000
then 1C00000
true 1C00000
undef 1C00000
unless 1C00000
until 1C00000
when 1C00000
while 1C00000
yield 1C00000

--8<--
all? A00080
any? A00080
ArgumentError A00080
ARGV A00080
Array A00080
attr_accessor A00080
attr_reader A00080
attr_writer A00080
chomp A00080
Class A00080
Comparable A00080
Dir A00080
downto A00080
dup A00080
each A00080
each_with_index A00080
each_with_object A00080
empty? A00080
Enumerable A00080
ENV A00080
Exception A00080
extend A00080
File A00080
first A00080
Float A00080
format A00080
freeze A00080
frozen? A00080
gets A00080
gsub A00080
Hash A00080
include A00080
include? A00080

--8<--
hf 4294967295 1 S
--8<--
# sample.rb: a to-do list kept in a text file, a small example of Ruby.
require 'date'

=begin
Each line of the file is "[x] 2024-05-01 text" or "[ ] ... ";
the file name comes from the TODO_FILE variable or defaults.
=end

class TodoList
  Item = Struct.new(:done, :due, :text)

  attr_reader :items

  def initialize(path)
    @path = path
    @items = File.exist?(path) ? File.readlines(path, chomp: true).map { |l| parse(l) } : []
  end

  def add(text, due = Date.today)
    @items << Item.new(false, due, text)
    self
  end

  def overdue
    @items.reject(&:done).select { |item| item.due < Date.today }
  end

  def save
    File.write(@path, @items.map { |i| format_item(i) }.join("\n") + "\n")
  end

  private

  def parse(line)
    done = line.start_with?('[x]')
    due, text = line[4..].split(' ', 2)
    Item.new(done, Date.parse(due), text)
  end

  def format_item(item)
    "#{item.done ? '[x]' : '[ ]'} #{item.due} #{item.text}"
  end
end

list = TodoList.new(ENV.fetch('TODO_FILE', 'todo.txt'))
list.add(ARGV.join(' ')) unless ARGV.empty?
list.overdue.each { |item| puts "overdue: #{item.text}" }
list.save
