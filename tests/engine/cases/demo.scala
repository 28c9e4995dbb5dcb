/* outer /* nested */ still comment */ val x = 1
val raw = """no \escape "here"
  second line of the same string"""
val s = "tab\t\"quoted\""
@tailrec def f(n: Int): Int = if (n == 0) 0 else f(n - 1)
#!/bin/sh
