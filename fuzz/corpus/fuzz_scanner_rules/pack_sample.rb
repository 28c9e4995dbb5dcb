h
--8<--
files=*.rb *.rake *.gemspec *.ru Rakefile Gemfile
case=1
str1="
str2='
delimiter=~%^&*()-+=[]{}|\:;"'<>,./
color_string=1515A3
color_comment=2008000
comment1==begin
comment1e==end
comment2=#

--8<--

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
