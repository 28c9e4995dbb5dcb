# sample.cr: a to-do list with priorities, an example of Crystal.
require "json"

enum Priority
  Low
  Normal
  High
end

struct Task
  include JSON::Serializable

  getter title : String
  getter priority : Priority
  property done : Bool = false

  def initialize(@title : String, @priority = Priority::Normal)
  end

  def to_s(io : IO) : Nil
    mark = done ? 'x' : ' '
    io << "[#{mark}] #{title} (#{priority.to_s.downcase})"
  end
end

class TodoList
  @tasks = [] of Task

  def add(title : String, priority = Priority::Normal) : Task
    raise ArgumentError.new("empty title") if title.empty?
    task = Task.new(title, priority)
    @tasks << task
    task
  end

  def pending
    @tasks.reject(&.done).sort_by { |t| -t.priority.value }
  end

  def help : String
    <<-HELP
      Commands: add "title", done N, list
      (a # here is not a comment)
      HELP
  end
end

list = TodoList.new
list.add("Write the report", Priority::High)
list.add("Water the plants", Priority::Low)
list.add("Call Sam").done = true

puts list.help
list.pending.each_with_index do |task, i|
  puts "#{i + 1}. #{task}"
end
puts list.pending.first?.try(&.to_json) || "nothing to do"
