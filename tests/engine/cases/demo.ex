@moduledoc """
Docs with "quotes" over
several lines.
"""
s = "multi
line"
t = 'it\'s'  # comment
def f(x) when is_nil(x), do: :ok
