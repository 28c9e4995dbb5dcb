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
